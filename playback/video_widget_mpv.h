#pragma once

#include <QOpenGLWidget>
#include <atomic>

struct mpv_handle;
struct mpv_render_context;

// The picture: libmpv's render API drawing into a QOpenGLWidget. The render
// context can only be made once the widget has its GL context, so the engine
// waits for renderContextReady before it loads anything.
class VideoWidgetMpv : public QOpenGLWidget {
  Q_OBJECT
public:
  VideoWidgetMpv(mpv_handle* mpv, QWidget* parent);
  // Frees the render context with the GL context current; this must happen
  // before the mpv handle is destroyed.
  ~VideoWidgetMpv() override;

  bool hasRenderContext() const { return m_render != nullptr; }

signals:
  void renderContextReady();
  // A new video frame was drawn.
  void frameDrawn();
  void pressed(QMouseEvent* event);
  void doubleClicked();
  void mouseMoved(QPoint position);

protected:
  void initializeGL() override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  static void onRenderUpdate(void* self);
  void takeUpdate();
  void freeRenderContext();

  mpv_handle* m_mpv;
  mpv_render_context* m_render = nullptr;
  std::atomic_bool m_updatePosted{false};
  bool m_frameWaiting = false;
};

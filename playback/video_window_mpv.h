#pragma once

#include "core/overlay_card.h"

#include <QOpenGLWindow>
#include <atomic>
#include <memory>

class CardPopupQt;

struct mpv_handle;
struct mpv_render_context;

// The picture: libmpv's render API drawing into a QOpenGLWindow, which the
// player control embeds with a window container. Its own native window is
// drawn straight to the screen; a QOpenGLWidget would be composited into the
// top-level window in software each frame, at about twice the CPU time.
// The render context can only be made once the window has its GL context, so
// the engine waits for renderContextReady before it loads anything.
class VideoWindowMpv : public QOpenGLWindow {
  Q_OBJECT
public:
  explicit VideoWindowMpv(mpv_handle* mpv);
  // Frees the render context with the GL context current; this must happen
  // before the mpv handle is destroyed.
  ~VideoWindowMpv() override;

  bool hasRenderContext() const { return m_render != nullptr; }
  // Goes before the core does; the window then shows black.
  void freeRenderContext();
  // A line across the middle of the picture, drawn over whatever the player
  // shows, also when it shows nothing; empty removes it.
  void setMessage(const QString& text);
  QString message() const { return m_message; }
  // A card over the picture and the line (the list of keys), or over the
  // picture's middle in a window of its own where it would not read in it;
  // empty removes it.
  void setCard(const QVector<CardSection>& card);
  const QVector<CardSection>& card() const { return m_card; }

signals:
  void renderContextReady();
  // A new video frame was drawn.
  void frameDrawn();
  // A button went down over the picture: 1 left, 2 right, 4 middle, with the
  // shift state (1 Shift, 2 Ctrl, 4 Alt) and where, in pixels.
  void pressed(int button, int shift, QPointF at);
  void doubleClicked();
  void mouseMoved(QPoint position);
  // The wheel turned by this many notches, up positive.
  void wheelTurned(int notches);

protected:
  bool event(QEvent* event) override;
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int width, int height) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  static void onRenderUpdate(void* self);
  void takeUpdate();
  void paintMessage();
  void placeCard();
  void press(Qt::MouseButton which, Qt::KeyboardModifiers modifiers, QPointF at);

  mpv_handle* m_mpv;
  mpv_render_context* m_render = nullptr;
  std::atomic_bool m_updatePosted{false};
  bool m_frameWaiting = false;
  int m_wheelSteps = 0; // eighths of a degree not yet a whole notch
  QString m_message;
  QVector<CardSection> m_card;
  std::unique_ptr<CardPopupQt> m_cardPopup;
};

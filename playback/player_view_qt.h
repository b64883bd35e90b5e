#pragma once

#include <QTimer>
#include <QWidget>

class ControlBarQt;
class QVBoxLayout;

// The player control as the window sees it: the picture on top, the control
// bar below. Laid out for full screen, the bar floats over the bottom of the
// picture while the mouse is near it; the window decides when that is.
class PlayerViewQt : public QWidget {
  Q_OBJECT
public:
  PlayerViewQt(QWidget* video, QWidget* parent = nullptr);

  ControlBarQt* bar() const { return m_bar; }
  QWidget* video() const { return m_video; }

  void layOutFullScreen(bool on);
  // The mouse is at `position` over the picture: in full screen, near the
  // bottom, the bar shows.
  void mouseMovedOverVideo(QPoint position);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  bool barFloats() const;
  void placeFloatingBar();

  QWidget* m_video;
  ControlBarQt* m_bar;
  QVBoxLayout* m_layout;
  QTimer m_hideBar;
};

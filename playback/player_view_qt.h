#pragma once

#include <QTimer>
#include <QWidget>

class ControlBarQt;
class QVBoxLayout;

// The player control as the window sees it: the picture on top, the control
// bar below. In full screen it takes the whole top-level window and the bar
// floats over the bottom of the picture while the mouse is near it.
class PlayerViewQt : public QWidget {
  Q_OBJECT
public:
  PlayerViewQt(QWidget* video, QWidget* parent = nullptr);

  ControlBarQt* bar() const { return m_bar; }
  QWidget* video() const { return m_video; }

  void enterFullScreen();
  void leaveFullScreen();
  // In full screen: the mouse is at `position` over the picture.
  void mouseMovedOverVideo(QPoint position);

signals:
  // The window left full screen without being asked to, through the window
  // manager; the player is still laid out for full screen.
  void windowLeftFullScreen();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void fillWindow();
  void placeFloatingBar();

  QWidget* m_video;
  ControlBarQt* m_bar;
  QVBoxLayout* m_layout;
  bool m_fullScreen = false;
  bool m_windowLeftByItself = false;
  Qt::WindowStates m_windowStateBefore;
  QTimer m_hideBar;
  QTimer m_confirmLeftByItself;
};

#include "playback/player_view_qt.h"

#include "playback/control_bar_qt.h"

#include <QEvent>
#include <QVBoxLayout>
#include <utility>

namespace {

// The bar shows while the mouse is this close to the bottom of the screen...
constexpr int revealDistance = 2 * ControlBarQt::Height;
// ...and hides when the mouse has rested this long.
constexpr int hideAfterMs = 2000;
// The window manager has taken the window out of full screen when it has
// been out this long.
constexpr int confirmLeftAfterMs = 300;

} // namespace

PlayerViewQt::PlayerViewQt(QWidget* video, QWidget* parent)
    : QWidget(parent), m_video(video), m_bar(new ControlBarQt(this))
{
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  video->setParent(this);
  // The picture is a native window; only another native window can float
  // over it in full screen.
  m_bar->setAttribute(Qt::WA_NativeWindow);
  m_layout = new QVBoxLayout(this);
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
  m_layout->addWidget(video, 1);
  m_layout->addWidget(m_bar);
  // 9015 x 5410 twips, the control's size in a new window.
  resize(601, 361);

  // On its way into full screen the window manager may report the window
  // without any state for a moment; only a state that lasts counts.
  m_confirmLeftByItself.setSingleShot(true);
  m_confirmLeftByItself.setInterval(confirmLeftAfterMs);
  connect(&m_confirmLeftByItself, &QTimer::timeout, this, [this] {
    if (m_fullScreen && !(window()->windowState() & Qt::WindowFullScreen)) {
      m_windowLeftByItself = true;
      emit windowLeftFullScreen();
    }
  });

  m_hideBar.setSingleShot(true);
  m_hideBar.setInterval(hideAfterMs);
  connect(&m_hideBar, &QTimer::timeout, this, [this] {
    if (m_bar->underMouse())
      m_hideBar.start();
    else
      m_bar->hide();
  });
}

void PlayerViewQt::enterFullScreen()
{
  if (m_fullScreen)
    return;
  m_fullScreen = true;
  QWidget* top = window();
  m_windowStateBefore = top->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized);
  m_layout->removeWidget(m_bar);
  m_bar->hide();
  if (top != this)
    top->installEventFilter(this);
  top->setWindowState((top->windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
  fillWindow();
}

void PlayerViewQt::leaveFullScreen()
{
  if (!m_fullScreen)
    return;
  m_fullScreen = false;
  m_hideBar.stop();
  m_confirmLeftByItself.stop();
  QWidget* top = window();
  top->removeEventFilter(this);
  m_layout->addWidget(m_bar);
  m_bar->show();
  // A window the window manager has taken out of full screen keeps the state
  // it was given. The window lays the player out again once it is back.
  if (!std::exchange(m_windowLeftByItself, false))
    top->setWindowState(m_windowStateBefore);
}

// The window ignores its own resizes while full screen lasts; the picture
// follows the window from here.
void PlayerViewQt::fillWindow()
{
  if (window() == this)
    return;
  setGeometry(window()->rect());
  raise();
  placeFloatingBar();
}

void PlayerViewQt::placeFloatingBar()
{
  m_bar->setGeometry(0, height() - ControlBarQt::Height, width(), ControlBarQt::Height);
  m_bar->raise();
}

void PlayerViewQt::mouseMovedOverVideo(QPoint position)
{
  if (!m_fullScreen)
    return;
  if (position.y() >= m_video->height() - revealDistance) {
    placeFloatingBar();
    m_bar->show();
  }
  if (m_bar->isVisible())
    m_hideBar.start();
}

bool PlayerViewQt::eventFilter(QObject* watched, QEvent* event)
{
  if (m_fullScreen && watched == window()) {
    if (event->type() == QEvent::Resize)
      fillWindow();
    else if (event->type() == QEvent::WindowStateChange)
      m_confirmLeftByItself.start();
  }
  return QWidget::eventFilter(watched, event);
}

void PlayerViewQt::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  if (m_fullScreen)
    placeFloatingBar();
}

// Full screen is the main window's: the player asks for it (the F key, a
// double click, Esc, a maximise), the window switches it and follows the
// window manager's own changes. While it lasts, and until the window has
// settled back, the form sees the window it will get back.
#include "app/main_window_qt.h"

#include "playback/player_view_qt.h"
#include <utility>

namespace {

// The window is back from full screen when its size and state have been
// still this long: on its way the window manager passes it through other
// states and sizes.
constexpr int SettledAfterFullScreenMs = 500;
// On its way into full screen the window manager may report the window
// without any state for a moment; only a state that lasts this long counts.
constexpr int LeftByWindowManagerMs = 300;

} // namespace

void MainWindowQt::setUpFullScreen()
{
  m_settledAfterFullScreen.setSingleShot(true);
  m_settledAfterFullScreen.setInterval(SettledAfterFullScreenMs);
  connect(&m_settledAfterFullScreen, &QTimer::timeout, this, &MainWindowQt::returnedFromFullScreen);
  m_leftByWindowManager.setSingleShot(true);
  m_leftByWindowManager.setInterval(LeftByWindowManagerMs);
  connect(&m_leftByWindowManager, &QTimer::timeout, this, [this] {
    if (m_fullScreen == FullScreen::On && !(QWidget::windowState() & Qt::WindowFullScreen))
      leaveFullScreen(false);
  });
}

bool MainWindowQt::playerFullScreen() const
{
  return m_fullScreen == FullScreen::On;
}

void MainWindowQt::setPlayerFullScreen(bool on)
{
  if (on == playerFullScreen())
    return;
  if (!on) {
    leaveFullScreen(true);
    return;
  }
  // Going full screen again on the way back keeps the rectangle from before.
  if (m_fullScreen == FullScreen::Off) {
    m_outerBeforeFullScreen = outerRect();
    // A maximised window's frame is not the one it has back in a normal state.
    m_frameBeforeFullScreen = windowState() == WindowState::Normal ? frame() : m_frameBeforeMap;
    m_placeAfterFullScreen = false;
    m_stateBeforeFullScreen = QWidget::windowState() & (Qt::WindowMaximized | Qt::WindowMinimized);
  }
  m_settledAfterFullScreen.stop();
  m_fullScreen = FullScreen::On;
  if (m_player) {
    m_player->layOutFullScreen(true);
    m_player->setGeometry(rect());
  }
  QWidget::setWindowState((QWidget::windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
}

// `restore`: the window goes back to the state it had; a window the window
// manager has taken out of full screen keeps the state it was given.
void MainWindowQt::leaveFullScreen(bool restore)
{
  m_leftByWindowManager.stop();
  m_fullScreen = FullScreen::Returning;
  m_settledAfterFullScreen.start();
  if (m_player)
    m_player->layOutFullScreen(false);
  if (restore)
    QWidget::setWindowState(m_stateBeforeFullScreen);
}

void MainWindowQt::windowStateChanged()
{
  if (m_fullScreen == FullScreen::On)
    m_leftByWindowManager.start();
}

void MainWindowQt::returnedFromFullScreen()
{
  if (QWidget::windowState() & Qt::WindowFullScreen) {
    // The window manager put the window back into full screen after the
    // player had left it: the window follows the player out again.
    QWidget::setWindowState(QWidget::windowState() & ~Qt::WindowFullScreen);
    m_settledAfterFullScreen.start();
    return;
  }
  // A state asked for on the way is given now, and the window settles in it
  // before it is the form's again: its frame is then the one of that state.
  if (m_stateAfterFullScreen && !std::exchange(m_stateAfterFullScreenGiven, true)) {
    showState(*m_stateAfterFullScreen);
    m_settledAfterFullScreen.start();
    return;
  }
  // The form last saw the window as it went full screen, often before the
  // window manager had given it its maximised size: the player fills the
  // window it has now, and only later changes reach the form.
  m_fullScreen = FullScreen::Off;
  m_stateAfterFullScreen.reset();
  m_stateAfterFullScreenGiven = false;
  if (m_player)
    m_player->resize(size());
  m_lastForwarded = FormView{windowState(), size()};
  // A video fitted meanwhile (a second start hands over a file while full
  // screen) is placed now, as it would have been in a normal window.
  if (std::exchange(m_placeAfterFullScreen, false) && windowState() == WindowState::Normal)
    placeOuter(m_outerBeforeFullScreen);
}

QRect MainWindowQt::formRect() const
{
  // Around a full-screen window the frame is a guess, and its rectangle is
  // none the window would get back: the form sees the one from before.
  return m_fullScreen == FullScreen::Off ? outerRect() : m_outerBeforeFullScreen;
}

// Full screen holds the window: the form sees the client area it will get back.
QSize MainWindowQt::formClientSize() const
{
  if (m_fullScreen == FullScreen::Off)
    return size();
  return m_outerBeforeFullScreen.marginsRemoved(m_frameBeforeFullScreen).size();
}

void MainWindowQt::showState(int state)
{
  if (state == WindowState::Minimized)
    showMinimized();
  else if (state == WindowState::Maximized)
    showMaximized();
  else
    showNormal();
}

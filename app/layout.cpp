#include "app/media_frm.h"

#include "core/main_window_port.h"
#include "core/media_engine.h"
#include "playback/player_actions.h"
#include <QLocale>

namespace {

// Below a maximised window's player there are 1000 twips of room.
constexpr Twips MaximizedAllowance = 1000;

constexpr int KeyO = 79;
constexpr int KeyU = 85;
constexpr int CtrlOnly = 2;

// Decimal text that reads back to the same value and holds no comma.
QString twipsText(Twips value)
{
  return QString::number(double(value), 'f', QLocale::FloatingPointShortest);
}

} // namespace

void MediaFrm::Form_Resize()
{
  MainWindowPort& w = window();
  const int state = w.windowState();
  // A tiling window manager's tile is no maximise: the player fills it as it
  // fills a normal window, and full screen waits for the person to ask.
  switch (state == WindowState::Maximized && m_start.tilingDesktop ? WindowState::Normal : state) {
  case WindowState::Normal:
    w.setPlayerSize(w.ScaleWidth(), w.ScaleHeight());
    break;
  case WindowState::Maximized:
    w.setPlayerSize(w.Width(), w.Height() - MaximizedAllowance);
    if (WMP().playState() != PlayState::Undefined)
      WMP().setFullScreen(true);
    break;
  default:
    break;
  }
}

void MediaFrm::Form_KeyDown(int keyCode, int shift)
{
  if (shift != CtrlOnly)
    return;
  if (keyCode == KeyO)
    mOpen_Click();
  else if (keyCode == KeyU)
    mOpenURL_Click();
}

bool MediaFrm::playerKeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
  // Shift held for `?` must not close the card that `?` opens.
  if (isModifierKey(key))
    return false;
  return m_actions->keyPressed(playerKey(key, modifiers));
}

void MediaFrm::Form_Unload()
{
  const QString& option = Settings::Option;
  WriteIni(option, QStringLiteral("Volume"), QString::number(WMP().volume()));
  if (ReadIni(option, QStringLiteral("zoom")) == QLatin1String("0")) {
    const MainWindowPort& w = window();
    WriteIni(option, QStringLiteral("move"),
             QStringList{twipsText(w.Left()), twipsText(w.Top()), twipsText(w.Width()),
                         twipsText(w.Height())}
                 .join(u','));
  }
}

#include "app/media_frm.h"

#include "core/main_window_port.h"
#include "playback/mpris_state.h"

void MediaFrm::Mpris_Raise()
{
  // A maximised window stays maximised; only a minimised one comes back.
  if (window().windowState() == WindowState::Minimized)
    window().setWindowState(WindowState::Normal);
  window().bringToFront();
}

void MediaFrm::Mpris_Quit()
{
  window().closeWindow();
}

bool MediaFrm::Mpris_OpenUri(const QString& uri)
{
  // Only addresses reach the hand-off: a URI never starts with "GetInfo:"
  // or reads "nor", so it cannot start a program or merely restore.
  const QString command = Mpris::linkCommand(uri);
  if (command.isEmpty())
    return false;
  int cancel = 0;
  Form_LinkExecute(command, cancel);
  return true;
}

// Only a change runs the command, so the check mark, the player and the
// settings file follow exactly as if the menu item had been chosen.
void MediaFrm::Mpris_SetRepeat(bool on)
{
  if (menus.checked(MenuItem::mReplay) != on)
    mReplay_Click();
}

void MediaFrm::Mpris_SetShuffle(bool on)
{
  if (menus.checked(MenuItem::mRnd) != on)
    mRnd_Click();
}

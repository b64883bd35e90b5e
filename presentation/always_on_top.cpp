#include "app/media_frm.h"

#include "playback/media_engine.h"
#include "presentation/mod_topmost.h"

// The option only decides whether playback puts the window on top; when
// nothing plays, the command changes the check mark and the setting alone.
void MediaFrm::mTop_Click()
{
  const bool on = !menus.checked(MenuItem::mTop);
  WriteIni(QStringLiteral("Option"), QStringLiteral("mTop"),
           on ? QStringLiteral("True") : QStringLiteral("False"));
  menus.setChecked(MenuItem::mTop, on);
  if (WMP().playState() != PlayState::Playing)
    return;
  if (on)
    ModTOPMOST::SetTopMost(window());
  else
    ModTOPMOST::SetNoTopMost(window());
}

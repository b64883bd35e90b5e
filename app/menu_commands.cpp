#include "app/media_frm.h"

void MediaFrm::menuCommand(MenuItem item)
{
  switch (item) {
  case MenuItem::mOpen: mOpen_Click(); break;
  case MenuItem::mTop: mTop_Click(); break;
  case MenuItem::mZ1: mZ1_Click(); break;
  case MenuItem::mZ2: mZ2_Click(); break;
  case MenuItem::mZ3: mZ3_Click(); break;
  case MenuItem::mZ4: mZ4_Click(); break;
  case MenuItem::FileReg: FileReg_Click(); break;
  case MenuItem::mRun: mRun_Click(); break;
  default: break; // submenus have no command of their own
  }
}

void MediaFrm::disableCommandsNotYetBuilt()
{
  for (MenuItem item : {MenuItem::mOpenURL, MenuItem::mSaveAs, MenuItem::mRnd, MenuItem::mReplay})
    menus.setEnabled(item, false);
}

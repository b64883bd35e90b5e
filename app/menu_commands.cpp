#include "app/media_frm.h"

void MediaFrm::menuCommand(MenuItem item)
{
  switch (item) {
  case MenuItem::mOpen: mOpen_Click(); break;
  case MenuItem::mTop: mTop_Click(); break;
  case MenuItem::mOpenURL: mOpenURL_Click(); break;
  case MenuItem::mSaveAs: mSaveAs_Click(); break;
  case MenuItem::mRnd: mRnd_Click(); break;
  case MenuItem::mReplay: mReplay_Click(); break;
  case MenuItem::mZ1: mZ1_Click(); break;
  case MenuItem::mZ2: mZ2_Click(); break;
  case MenuItem::mZ3: mZ3_Click(); break;
  case MenuItem::mZ4: mZ4_Click(); break;
  case MenuItem::FileReg: FileReg_Click(); break;
  case MenuItem::mRun: mRun_Click(); break;
  default: break; // submenus have no command of their own
  }
}

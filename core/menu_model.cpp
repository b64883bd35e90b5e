#include "core/menu_model.h"

const std::array<MenuEntry, MenuItemCount>& menuTree()
{
  using M = MenuItem;
  static const std::array<MenuEntry, MenuItemCount> tree{{
      {M::mFile, u"文件(&F)", M::mFile, true, nullptr, false},
      {M::mOpen, u"打开(&O)…", M::mFile, false, "Ctrl+O", false},
      {M::mOpenURL, u"打开 URL(&U)…", M::mFile, false, "Ctrl+U", false},
      {M::mSaveAs, u"另存为(&V)…", M::mFile, false, nullptr, false},
      {M::mPlaySetup, u"播放设置(&S)", M::mFile, true, nullptr, false},
      {M::mRnd, u"无序播放(&H)", M::mPlaySetup, false, nullptr, true},
      {M::mReplay, u"重复播放(&R)", M::mPlaySetup, false, nullptr, true},
      {M::mTop, u"置顶播放(&T)", M::mPlaySetup, false, nullptr, true},
      {M::FileReg, u"文件关联(&C)", M::mPlaySetup, false, nullptr, false},
      {M::mZoom, u"视频大小(&Z)", M::mFile, true, nullptr, false},
      {M::mZ1, u"50%", M::mZoom, false, nullptr, true},
      {M::mZ2, u"100%", M::mZoom, false, nullptr, true},
      {M::mZ3, u"200%", M::mZoom, false, nullptr, true},
      {M::mZ4, u"窗口大小", M::mZoom, false, nullptr, true},
      {M::mRun, u"允许运行多个Kelvarino", M::mFile, false, nullptr, true},
  }};
  return tree;
}

void MenuModel::setChecked(MenuItem item, bool on)
{
  if (m_checked[index(item)] == on)
    return;
  m_checked[index(item)] = on;
  emit changed(item);
}

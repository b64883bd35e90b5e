#include "app/menu_model.h"

const std::array<MenuEntry, MenuItemCount>& menuTree()
{
  using M = MenuItem;
  static const std::array<MenuEntry, MenuItemCount> tree{{
      {M::mFile, u"文件(&F)", M::mFile, true, nullptr},
      {M::mOpen, u"打开(&O)…", M::mFile, false, "Ctrl+O"},
      {M::mOpenURL, u"打开 URL(&U)…", M::mFile, false, "Ctrl+U"},
      {M::mSaveAs, u"另存为(&V)…", M::mFile, false, nullptr},
      {M::mPlaySetup, u"播放设置(&S)", M::mFile, true, nullptr},
      {M::mRnd, u"无序播放(&H)", M::mPlaySetup, false, nullptr},
      {M::mReplay, u"重复播放(&R)", M::mPlaySetup, false, nullptr},
      {M::mTop, u"置顶播放(&T)", M::mPlaySetup, false, nullptr},
      {M::FileReg, u"文件关联(&C)", M::mPlaySetup, false, nullptr},
      {M::mZoom, u"视频大小(&Z)", M::mFile, true, nullptr},
      {M::mZ1, u"50%", M::mZoom, false, nullptr},
      {M::mZ2, u"100%", M::mZoom, false, nullptr},
      {M::mZ3, u"200%", M::mZoom, false, nullptr},
      {M::mZ4, u"窗口大小", M::mZoom, false, nullptr},
      {M::mRun, u"允许运行多个Kelvarino", M::mFile, false, nullptr},
  }};
  return tree;
}

MenuModel::MenuModel()
{
  m_enabled.fill(true);
}

void MenuModel::setChecked(MenuItem item, bool on)
{
  if (m_checked[index(item)] == on)
    return;
  m_checked[index(item)] = on;
  emit changed(item);
}

void MenuModel::setEnabled(MenuItem item, bool on)
{
  if (m_enabled[index(item)] == on)
    return;
  m_enabled[index(item)] = on;
  emit changed(item);
}

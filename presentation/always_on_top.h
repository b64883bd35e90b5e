#pragma once

class MainWindowPort;
class MediaEngine;
class MenuModel;
class Settings;

// The 置顶播放 option: whether playback puts the window on top. It is stored
// under "mTop"; when nothing plays, the command changes only the check mark
// and the setting.
class AlwaysOnTop {
public:
  AlwaysOnTop(MainWindowPort& window, MediaEngine& player, MenuModel& menus, const Settings& settings);

  void mTop_Click();
  // The stored option's check mark, set at start-up; the band is left alone.
  void checkStoredOption();

private:
  MainWindowPort& m_window;
  MediaEngine& m_player;
  MenuModel& m_menus;
  const Settings& m_settings;
};

#pragma once

class MediaEngine;
class MenuModel;
class Settings;

// Repeat (重复播放, the player's "loop") and shuffle (无序播放, "shuffle"). A
// mode's check mark is the program's only record of it: the player is never
// asked. A change reaches the player and the settings file at once.
class PlayModes {
public:
  PlayModes(MediaEngine& player, MenuModel& menus, const Settings& settings);

  void mReplay_Click();
  void mRnd_Click();
  // Start-up: a mode stored as "True" is switched on; the player starts with both off.
  void applyStoredModes();

private:
  MediaEngine& m_player;
  MenuModel& m_menus;
  const Settings& m_settings;
};

#pragma once

#include <QString>

class MainWindowPort;
class MediaEngine;
class MenuModel;
class Settings;
enum class MenuItem;

// Fits the window to the playing video at 50, 100 or 200 per cent of its
// picture, or leaves it at the size the user gave it ("窗口大小"). The preset
// is a check mark of the 视频大小 submenu, stored under "zoom". A tiling window
// manager sizes every window to its tile: there the window is never fitted, as
// a resize would only shrink the picture inside its tile.
class Zoom {
public:
  Zoom(MainWindowPort& window, MediaEngine& player, MenuModel& menus, const Settings& settings,
       bool tilingDesktop = false);

  void CallZoom();
  void mZ1_Click();
  void mZ2_Click();
  void mZ3_Click();
  void mZ4_Click();

  // The stored preset's check mark, set at start-up; true for the
  // window-size preset, under which a saved rectangle is restored.
  bool checkStoredPreset();

private:
  void selectZoom(MenuItem preset, const QString& value);

  MainWindowPort& m_window;
  MediaEngine& m_player;
  MenuModel& m_menus;
  const Settings& m_settings;
  bool m_tiling;
};

#pragma once

#include <QString>

class KeepAwake;
class MainWindowPort;
class MediaEngine;
class MenuModel;
class TaskbarProgress;
class Zoom;

// How the window follows the player's events: it fits a video, gives audio
// the compact window, shows the item's name, switches topmost and the two
// timers, starts playback on ready, and pops the menu up on a right press.
class PlayerEvents {
public:
  PlayerEvents(MainWindowPort& window, MediaEngine& player, MenuModel& menus, Zoom& zoom,
               KeepAwake& keepAwake, TaskbarProgress& progress);

  void WMP_PlayStateChange(int NewState);
  void WMP_MouseDown(int nButton, int nShiftState, float fX, float fY);
  // The title follows an item that opens or fails, not only one that plays.
  void itemNamed(const QString& source);

  // Text flags: each counts as set only when it holds "1". ScrNor: the current
  // video has been fitted (at start-up it carries the registered open
  // command); MusNor: the window has the compact audio size.
  QString ScrNor = QStringLiteral("ScrNor");
  QString MusNor = QStringLiteral("MusNor");

private:
  MainWindowPort& m_window;
  MediaEngine& m_player;
  MenuModel& m_menus;
  Zoom& m_zoom;
  KeepAwake& m_keepAwake;
  TaskbarProgress& m_progress;
};

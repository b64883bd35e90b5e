#pragma once

#include "playback/mpris_state.h"
#include <QDBusConnection>
#include <QObject>
#include <memory>

class MprisRequests;
class MprisRootAdaptor;
class MprisPlayerAdaptor;

// The player on the session bus for media keys, playerctl and the desktop's
// media widgets: org.mpris.MediaPlayer2.kelvarino at /org/mpris/MediaPlayer2.
// Play, pause, stop, next and previous go to the engine as the control bar's
// buttons do, so the window follows them through its own player events;
// repeat and shuffle go through the menu's own commands.
class MprisDbus : public QObject {
  Q_OBJECT
public:
  // Null when there is no session bus or the player cannot be published on
  // it; the player then runs without it.
  static std::unique_ptr<MprisDbus> publish(const QDBusConnection& bus, MprisRequests& form,
                                            MediaEngine& engine, const MenuModel& menus);
  ~MprisDbus() override;

  // The well-known name taken: a second window (several instances allowed)
  // takes one with its process id, as media controls expect.
  QString serviceName() const { return m_service; }

private:
  MprisDbus(const QDBusConnection& bus, MprisRequests& form, MediaEngine& engine,
            const MenuModel& menus);
  // Tells the bus which of the player's properties the engine changed.
  void update();

  QDBusConnection m_bus;
  MprisState m_state;
  MprisPlayerAdaptor* m_player;
  QString m_service;
};

#pragma once

#include "core/taskbar_list.h"
#include <QDBusConnection>

// Progress on the program's dock button through the launcher-entry signal that
// docks and task managers listen to (Plasma, Dash to Dock), for the desktop
// entry kelvarino.desktop.
//
// Docks draw a bar or nothing, so the four states become:
//   normal        a bar at completed / total;
//   paused        the same bar, frozen (the updates stop with the timer);
//   indeterminate a bar at 0: the next item is being opened;
//   no progress   no bar.
// A value while there is no bar (or an indeterminate one) shows the normal
// bar, as a taskbar does. Docks keep the last bar of a program across its
// runs, so the bar is cleared when the object is made and when it goes.
class LauncherEntryDbus : public TaskbarList {
public:
  explicit LauncherEntryDbus(const QDBusConnection& bus);
  ~LauncherEntryDbus() override;

  void SetProgressValue(quint64 completed, quint64 total) override;
  void SetProgressState(int flags) override;

private:
  struct Look {
    bool visible = false;
    double progress = 0;
    bool operator==(const Look&) const = default;
  };
  Look look() const;
  void send(const Look& look);

  QDBusConnection m_bus;
  int m_state = ProgressState::NoProgress;
  double m_fraction = 0;
};

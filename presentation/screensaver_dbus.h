#pragma once

#include "core/execution_state.h"
#include <QDBusConnection>

// Keeps the desktop awake one reset at a time: the display's reset goes to
// the X server's blanking timer, the system's to the session's idle timer
// (org.freedesktop.ScreenSaver), which locks the screen and suspends the
// machine. Calls are not answered, so a missing bus or service costs nothing
// and is not reported.
class ScreenSaverDbus : public ExecutionState {
public:
  explicit ScreenSaverDbus(const QDBusConnection& bus);
  void SetThreadExecutionState(unsigned flags) override;

private:
  QDBusConnection m_bus;
};

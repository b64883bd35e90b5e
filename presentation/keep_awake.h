#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

class ExecutionState;

// Keeps the display and the system awake while media plays: `TSeelp` resets
// the idle timers once a minute between the start of playback and the next
// stop, pause or end.
class KeepAwake : public QObject {
  Q_OBJECT
public:
  static constexpr int IntervalMs = 60000;

  explicit KeepAwake(ExecutionState& system);

  void TSeelp_Timer();
  // Playing; and any state that is not playing, buffering, transitioning or ready.
  void start();
  void stop(int NewState);

  QTimer TSeelp;

private:
  ExecutionState& m_system;
  // When the minute that an ended item left running falls due.
  QDeadlineTimer m_carry{QDeadlineTimer::Forever};
};

#include "presentation/keep_awake.h"

#include "core/media_engine.h"
#include "core/execution_state.h"
#include <utility>

KeepAwake::KeepAwake(ExecutionState& system) : m_system(system)
{
  TSeelp.setInterval(IntervalMs);
  // The minute is carried from item to item; a coarse timer would round it up.
  TSeelp.setTimerType(Qt::PreciseTimer);
  connect(&TSeelp, &QTimer::timeout, this, &KeepAwake::TSeelp_Timer);
}

// Each call resets an idle timer once; nothing is held, so nothing has to be
// undone when playback ends and the timer stops.
void KeepAwake::TSeelp_Timer()
{
  // A minute carried over from an ended item was a shorter first interval.
  TSeelp.setInterval(IntervalMs);
  m_system.SetThreadExecutionState(ExecutionFlag::DisplayRequired);
  m_system.SetThreadExecutionState(ExecutionFlag::SystemRequired);
}

// From one item of a list (or a repeat) to the next the minute goes on where
// the ended item left it: a row of items shorter than a minute would
// otherwise restart it at every item and never reset the idle timers.
void KeepAwake::start()
{
  const QDeadlineTimer carried = std::exchange(m_carry, QDeadlineTimer::Forever);
  if (carried.isForever()) {
    TSeelp.start(IntervalMs);
    return;
  }
  const qint64 left = carried.remainingTime();
  if (left == 0) {
    TSeelp_Timer();
    TSeelp.start(IntervalMs);
  } else {
    TSeelp.start(int(left));
  }
}

void KeepAwake::stop(int NewState)
{
  m_carry = NewState == PlayState::MediaEnded && TSeelp.isActive()
                         ? QDeadlineTimer(TSeelp.remainingTime())
                         : QDeadlineTimer(QDeadlineTimer::Forever);
  TSeelp.stop();
}

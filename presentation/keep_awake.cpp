#include "app/media_frm.h"

#include "playback/media_engine.h"
#include "presentation/execution_state.h"
#include <utility>

// Each call resets an idle timer once; nothing is held, so nothing has to be
// undone when playback ends and the timer stops.
void MediaFrm::TSeelp_Timer()
{
  // A minute carried over from an ended item was a shorter first interval.
  TSeelp.setInterval(KeepAwakeIntervalMs);
  ExecutionState& system = gui().executionState();
  system.SetThreadExecutionState(ExecutionFlag::DisplayRequired);
  system.SetThreadExecutionState(ExecutionFlag::SystemRequired);
}

// From one item of a list (or a repeat) to the next the minute goes on where
// the ended item left it: a row of items shorter than a minute would
// otherwise restart it at every item and never reset the idle timers.
void MediaFrm::startKeepAwake()
{
  const QDeadlineTimer carried = std::exchange(m_keepAwakeCarry, QDeadlineTimer::Forever);
  if (carried.isForever()) {
    TSeelp.start(KeepAwakeIntervalMs);
    return;
  }
  const qint64 left = carried.remainingTime();
  if (left == 0) {
    TSeelp_Timer();
    TSeelp.start(KeepAwakeIntervalMs);
  } else {
    TSeelp.start(int(left));
  }
}

void MediaFrm::stopKeepAwake(int NewState)
{
  m_keepAwakeCarry = NewState == PlayState::MediaEnded && TSeelp.isActive()
                         ? QDeadlineTimer(TSeelp.remainingTime())
                         : QDeadlineTimer(QDeadlineTimer::Forever);
  TSeelp.stop();
}

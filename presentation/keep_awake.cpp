#include "app/media_frm.h"

#include "presentation/execution_state.h"

// Each call resets an idle timer once; nothing is held, so nothing has to be
// undone when playback ends and the timer stops.
void MediaFrm::TSeelp_Timer()
{
  ExecutionState& system = gui().executionState();
  system.SetThreadExecutionState(ExecutionFlag::DisplayRequired);
  system.SetThreadExecutionState(ExecutionFlag::SystemRequired);
}

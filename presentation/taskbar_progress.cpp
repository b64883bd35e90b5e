#include "app/media_frm.h"

#include "playback/media_engine.h"
#include <cmath>

namespace {

// Progress is counted in whole seconds: the position with its fraction
// dropped, the duration to the nearest second with halves to the even one.
// A negative or undefined time counts as 0.
quint64 completedSeconds(double position)
{
  return std::isfinite(position) && position > 0 ? quint64(std::floor(position)) : 0;
}

quint64 totalSeconds(double duration)
{
  if (!std::isfinite(duration) || duration <= 0)
    return 0;
  // The program keeps the default rounding mode, in which halves go to the
  // even neighbour.
  return quint64(std::nearbyint(duration));
}

} // namespace

std::unique_ptr<TaskbarList> MediaFrm::CreateTaskbarList()
{
  return gui().createTaskbarList();
}

void MediaFrm::TTask_Timer()
{
  // Without the facility nothing is shown, but the timer still switches
  // itself off by the same rules: it must not tick for the life of the process.
  const auto showValue = [this](int state) {
    if (!TaskbarPtr)
      return;
    const double duration = WMP().currentMedia().value_or(MediaItem{}).duration;
    TaskbarPtr->SetProgressValue(completedSeconds(WMP().currentPosition()),
                                 totalSeconds(duration));
    TaskbarPtr->SetProgressState(state);
  };
  const auto showState = [this](int state) {
    if (TaskbarPtr)
      TaskbarPtr->SetProgressState(state);
  };

  if (WMP().playState() == PlayState::Playing) {
    showValue(TaskbarProgress::Normal);
  } else if (WMP().playState() == PlayState::Paused) {
    showValue(TaskbarProgress::Paused);
    TTask.stop();
  } else if (WMP().playState() == PlayState::Transitioning) {
    showState(TaskbarProgress::Indeterminate);
    TTask.stop();
  } else {
    TTask.stop();
    showState(TaskbarProgress::NoProgress);
  }
}

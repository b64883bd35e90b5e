#include "presentation/taskbar_progress.h"

#include "core/media_engine.h"
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

TaskbarProgress::TaskbarProgress(MediaEngine& player, std::unique_ptr<TaskbarList> taskbar)
    : TaskbarPtr(std::move(taskbar)), m_player(player)
{
  TTask.setInterval(500);
  connect(&TTask, &QTimer::timeout, this, &TaskbarProgress::TTask_Timer);
}

// The progress goes while the desktop connection it speaks through is still
// there: the owner destroys this before the connection.
TaskbarProgress::~TaskbarProgress() = default;

void TaskbarProgress::TTask_Timer()
{
  // Without the facility nothing is shown, but the timer still switches
  // itself off by the same rules: it must not tick for the life of the process.
  const auto showValue = [this](int state) {
    if (!TaskbarPtr)
      return;
    const double duration = m_player.currentMedia().value_or(MediaItem{}).duration;
    TaskbarPtr->SetProgressValue(completedSeconds(m_player.currentPosition()),
                                 totalSeconds(duration));
    TaskbarPtr->SetProgressState(state);
  };
  const auto showState = [this](int state) {
    if (TaskbarPtr)
      TaskbarPtr->SetProgressState(state);
  };

  if (m_player.playState() == PlayState::Playing) {
    showValue(ProgressState::Normal);
  } else if (m_player.playState() == PlayState::Paused) {
    showValue(ProgressState::Paused);
    TTask.stop();
  } else if (m_player.playState() == PlayState::Transitioning) {
    showState(ProgressState::Indeterminate);
    TTask.stop();
  } else {
    TTask.stop();
    showState(ProgressState::NoProgress);
  }
}

#include "app/after_start_up.h"

#include "core/media_engine.h"

AfterStartUp::AfterStartUp(MediaEngine& player, bool opening, std::function<void()> work)
    : m_player(player), m_work(std::move(work))
{
  m_deadline.setSingleShot(true);
  connect(&m_deadline, &QTimer::timeout, this, &AfterStartUp::run);
  if (!opening) {
    m_deadline.start(0);
    return;
  }
  connect(&player, &MediaEngine::pictureShown, this, &AfterStartUp::run);
  connect(&player, &MediaEngine::PlayStateChange, this, &AfterStartUp::stateChanged);
  m_deadline.start(LongestWaitMs);
}

void AfterStartUp::stateChanged(int state)
{
  switch (state) {
  case PlayState::Playing:
  case PlayState::Paused:
    // A picture is still to come; an item without one has shown all it will.
    if (m_player.currentMedia().value_or(MediaItem{}).imageSourceWidth == 0)
      run();
    break;
  case PlayState::Stopped:
  case PlayState::MediaEnded:
  case PlayState::Ready:
    run();
    break;
  default:
    break;
  }
}

void AfterStartUp::run()
{
  if (!m_work)
    return;
  disconnect(&m_player, nullptr, this, nullptr);
  m_deadline.stop();
  std::exchange(m_work, nullptr)();
}

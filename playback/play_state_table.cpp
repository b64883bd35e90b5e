#include "playback/play_state_table.h"

#include "core/media_engine.h"

std::optional<int> PlayStateTable::apply(EngineEvent event)
{
  const int state = next(event);
  if (state == m_state)
    return std::nullopt;
  m_state = state;
  return state;
}

// Playing or paused by `pause`, buffering while it waits for data.
int PlayStateTable::runningState() const
{
  if (m_cacheWait)
    return PlayState::Buffering;
  if (!m_started)
    return PlayState::Transitioning;
  return m_paused ? PlayState::Paused : PlayState::Playing;
}

// The whole mapping. Ready (10) is only ever reported for an idle engine that
// has never been given anything: the window answers ready with play(), and
// that must not start a loop once something was loaded. An end-file(stop)
// decides nothing by itself: idle follows a stop, start-file a replaced file.
int PlayStateTable::next(EngineEvent event)
{
  using enum EngineEvent;
  switch (event) {
  case UrlSet:
    m_urlEverSet = true;
    m_loadPending = true;
    m_started = false;
    m_cacheWait = false;
    return PlayState::Transitioning;
  case RenderContextReady:
    m_renderReady = true;
    return (m_idle && !m_urlEverSet) ? PlayState::Ready : m_state;
  case StartFile:
    m_idle = false;
    m_loadPending = false;
    m_fileActive = true;
    m_started = false;
    m_cacheWait = false;
    return PlayState::Transitioning;
  case FileLoaded:
    return m_state;
  case PlaybackRestart:
    m_started = true;
    return runningState();
  case PauseOn:
  case PauseOff:
    m_paused = event == PauseOn;
    return m_started ? runningState() : m_state;
  case CacheWaitOn:
  case CacheWaitOff:
    m_cacheWait = event == CacheWaitOn;
    return m_fileActive ? runningState() : m_state;
  case EndFileEof:
    m_fileActive = false;
    m_started = false;
    m_cacheWait = false;
    return PlayState::MediaEnded;
  case EndFileStop:
    m_fileActive = false;
    m_started = false;
    m_cacheWait = false;
    return m_state;
  case EndFileError:
    m_loadPending = false;
    m_fileActive = false;
    m_started = false;
    m_cacheWait = false;
    return PlayState::Stopped;
  case EndFileRedirect:
  case EndFileQuit:
    return m_state;
  case Idle:
    // The idle of a freshly made engine can arrive after the first URL was
    // set; the load that is on its way decides.
    m_idle = true;
    if (m_loadPending)
      return m_state;
    if (!m_urlEverSet)
      return m_renderReady ? PlayState::Ready : m_state;
    return PlayState::Stopped;
  }
  return m_state;
}

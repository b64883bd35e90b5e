#pragma once

#include <optional>

// What the engine reports, reduced to what decides the play state. The libmpv
// adapter translates its events and property changes into these; UrlSet is
// our own load request (setURL, or play() replaying the current URL).
enum class EngineEvent {
  UrlSet,
  RenderContextReady,
  StartFile,
  FileLoaded,
  PlaybackRestart,
  PauseOn,
  PauseOff,
  CacheWaitOn,   // paused-for-cache true: waiting for data
  CacheWaitOff,
  EndFileEof,
  EndFileStop,
  EndFileError,
  EndFileRedirect, // a play list being expanded into its entries
  EndFileQuit,
  Idle,
};

// Turns the engine's events into the play states of media_engine.h.
class PlayStateTable {
public:
  // The new play state when the event changes it, nothing otherwise.
  std::optional<int> apply(EngineEvent event);
  int state() const { return m_state; }

private:
  int next(EngineEvent event);
  int runningState() const;

  int m_state = 0;
  bool m_renderReady = false;
  bool m_idle = false;
  bool m_urlEverSet = false;  // after the first load, ready never comes back
  bool m_loadPending = false; // a load was asked for and has not started yet
  bool m_fileActive = false;  // between start-file and end-file
  bool m_started = false;     // between playback-restart and end-file
  bool m_paused = false;
  bool m_cacheWait = false;
};

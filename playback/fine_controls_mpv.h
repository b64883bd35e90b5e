#pragma once

#include "core/media_engine.h"
#include "playback/seeking_mpv.h"

#include <QString>
#include <functional>

class MpvSession;

// The engine's seeks (SeekingMpv), screenshots, A-B loop, frame steps and
// subtitle delay, carried to the core through the session. The loop and the delay are the current
// item's: the core drops them when it starts the next, and so does this.
class FineControlsMpv {
public:
  // What the engine tells of them.
  struct Told {
    std::function<void(const QString& path, bool saved)> screenshotSaved;
    std::function<void()> loopChanged;
    std::function<void(double position)> frameStepped;
    std::function<void(double seconds)> jumped; // a seek taken, as SeekingMpv tells
  };

  FineControlsMpv(MpvSession& session, Told told);

  SeekingMpv& seeking() { return m_seeking; }
  const SeekingMpv& seeking() const { return m_seeking; }
  void saveScreenshot(const QString& path, bool withSubtitles);
  LoopPoints loopPoints() const { return m_loop; }
  void setLoopPoints(const LoopPoints& points);
  void stepFrame(bool forward);
  double subtitleDelay() const { return m_subtitleDelay; }
  void setSubtitleDelay(double seconds);
  // The core's position changed, as the engine observes it.
  void positionChanged(double seconds);

private:
  void started();
  void restarted();

  MpvSession& m_session;
  Told m_told;
  SeekingMpv m_seeking;
  LoopPoints m_loop;
  double m_subtitleDelay = 0;
  // A step forward lands at the next position the core reports; a step back
  // is a seek, and lands where playback restarts.
  enum class Step { None, Forward, Back } m_step = Step::None;
};

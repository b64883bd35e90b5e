#pragma once

#include "playback/seek_queue.h"

#include <cstdint>
#include <functional>

class MpvSession;

// A core's seeks, one at a time as SeekQueue decides: the keyframe's picture
// first where that comes sooner, then the time itself. A seek has put up its
// picture when the core restarts playback after it.
class SeekingMpv {
public:
  // `jumped` hears each time asked for with a Want other than Nearby once
  // the core has taken its first seek.
  SeekingMpv(MpvSession& session, std::function<void(double seconds)> jumped = {});

  void seek(double seconds, SeekQueue::Want want, double from);
  // Nothing on its way any more: another item, or none.
  void reset();

  bool busy() const { return m_queue.busy(); }
  double target() const { return m_queue.target(); }

private:
  void landed();
  void send(std::optional<SeekQueue::Seek> seek);

  MpvSession& m_session;
  std::function<void(double)> m_jumped;
  SeekQueue m_queue;
  bool m_untold = false;    // the time asked for is still to be told as jumped to
  uint32_t m_generation = 0; // answers from before a reset are for nobody
};

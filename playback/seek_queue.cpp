#include "playback/seek_queue.h"

#include <algorithm>

std::optional<SeekQueue::Seek> SeekQueue::ask(double seconds, Want want, double from)
{
  m_wanted = {seconds, want, from};
  if (m_sent)
    return std::nullopt;
  return next();
}

std::optional<SeekQueue::Seek> SeekQueue::landed(double at)
{
  if (!m_sent)
    return std::nullopt;
  m_shown = m_sent;
  m_sent.reset();
  // Where a quick seek landed is not proof of the exact picture: a seek sent
  // while the file starts is told as landed on the time asked for before its
  // keyframe is decoded. So only an exact seek gives the exact picture.
  if (!m_shown->exact && at >= 0)
    m_longestGap = std::max(m_longestGap, m_shown->seconds - at);
  return next();
}

void SeekQueue::reset()
{
  *this = SeekQueue();
}

std::optional<SeekQueue::Seek> SeekQueue::next()
{
  const Wanted& w = m_wanted;
  const bool shownHere = m_shown && m_shown->seconds == w.seconds;
  if (shownHere && (m_shown->exact || w.want == Want::Nearby))
    return std::nullopt;
  const bool quickIsAhead = w.seconds < w.from || w.seconds - w.from > m_longestGap;
  const bool exact = w.want == Want::Exact || (w.want == Want::QuickThenExact &&
                                               (shownHere || !quickIsAhead));
  m_sent = Seek{w.seconds, exact};
  return m_sent;
}

#include "playback/seeking_mpv.h"

#include "playback/mpv_session_mpv.h"

#include <mpv/client.h>

SeekingMpv::SeekingMpv(MpvSession& session, std::function<void(double)> jumped)
    : m_session(session), m_jumped(std::move(jumped))
{
  session.on(MPV_EVENT_PLAYBACK_RESTART, [this](const mpv_event&) { landed(); });
  session.on(MPV_EVENT_START_FILE, [this](const mpv_event&) { reset(); });
  session.on(MPV_EVENT_END_FILE, [this](const mpv_event&) { reset(); });
}

void SeekingMpv::seek(double seconds, SeekQueue::Want want, double from)
{
  m_untold = want != SeekQueue::Want::Nearby;
  send(m_queue.ask(seconds, want, from));
}

void SeekingMpv::reset()
{
  m_queue.reset();
  m_untold = false;
  ++m_generation;
}

// Where the picture landed tells how far keyframes lie behind their times.
void SeekingMpv::landed()
{
  if (!m_queue.busy())
    return;
  const uint32_t generation = m_generation;
  m_session.get("time-pos", MPV_FORMAT_DOUBLE, [this, generation](const mpv_event_property* at) {
    if (generation == m_generation)
      send(m_queue.landed(at ? *static_cast<const double*>(at->data) : -1));
  });
}

void SeekingMpv::send(std::optional<SeekQueue::Seek> seek)
{
  if (!seek)
    return;
  const double seconds = seek->seconds;
  const uint32_t generation = m_generation;
  m_session.command({"seek", QByteArray::number(seconds, 'f', 6),
                     seek->exact ? "absolute+exact" : "absolute+keyframes"},
                    [this, seconds, generation](int error) {
                      if (generation != m_generation)
                        return;
                      // Refused, it puts up no picture: the next one may.
                      if (error < 0) {
                        send(m_queue.landed(-1));
                        return;
                      }
                      if (m_untold && seconds == m_queue.target()) {
                        m_untold = false;
                        if (m_jumped)
                          m_jumped(seconds);
                      }
                    });
}

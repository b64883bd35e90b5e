#include "playback/fine_controls_mpv.h"

#include "core/file_name_bytes.h"
#include "playback/mpv_session_mpv.h"

#include <mpv/client.h>
#include <utility>

namespace {

// Options of the current item only, given as text: "no" clears one.
QByteArray optionValue(std::optional<double> seconds)
{
  return seconds ? QByteArray::number(*seconds, 'f', 6) : QByteArrayLiteral("no");
}

} // namespace

FineControlsMpv::FineControlsMpv(MpvSession& session, Told told)
    : m_session(session), m_told(std::move(told)), m_seeking(session, m_told.jumped)
{
  session.on(MPV_EVENT_START_FILE, [this](const mpv_event&) { started(); });
  session.on(MPV_EVENT_PLAYBACK_RESTART, [this](const mpv_event&) { restarted(); });
}

void FineControlsMpv::started()
{
  m_subtitleDelay = 0;
  m_step = Step::None;
  if (std::exchange(m_loop, {}) != LoopPoints{})
    m_told.loopChanged();
}

void FineControlsMpv::saveScreenshot(const QString& path, bool withSubtitles)
{
  // "subtitles" and "video" both draw at the video's own size, not the window's.
  m_session.command({"screenshot-to-file", encodeFileName(path),
                     withSubtitles ? QByteArrayLiteral("subtitles") : QByteArrayLiteral("video")},
                    [this, path](int error) { m_told.screenshotSaved(path, error >= 0); });
}

void FineControlsMpv::setLoopPoints(const LoopPoints& points)
{
  m_loop = points;
  m_session.set("file-local-options/ab-loop-a", optionValue(points.a));
  m_session.set("file-local-options/ab-loop-b", optionValue(points.b));
  m_told.loopChanged();
}

void FineControlsMpv::stepFrame(bool forward)
{
  m_step = forward ? Step::Forward : Step::Back;
  const QByteArray step = forward ? QByteArrayLiteral("frame-step")
                                 : QByteArrayLiteral("frame-back-step");
  m_session.command({step},
                    [this](int error) {
                      if (error < 0)
                        m_step = Step::None;
                    });
}

void FineControlsMpv::setSubtitleDelay(double seconds)
{
  m_subtitleDelay = seconds;
  m_session.set("file-local-options/sub-delay", optionValue(seconds));
}

void FineControlsMpv::positionChanged(double seconds)
{
  if (m_step == Step::Forward) {
    m_step = Step::None;
    m_told.frameStepped(seconds);
  }
}

void FineControlsMpv::restarted()
{
  if (m_step != Step::Back)
    return;
  m_step = Step::None;
  m_session.get("time-pos", MPV_FORMAT_DOUBLE, [this](const mpv_event_property* position) {
    if (position)
      m_told.frameStepped(*static_cast<const double*>(position->data));
  });
}

// Resuming where a video was left: the engine tells ResumePoints when an item
// is loaded, left and ended, whichever way it was opened.
#include "playback/engine_mpv.h"

#include "core/file_name_bytes.h"
#include "playback/resume_points.h"
#include <mpv/client.h>

namespace {

// The path and the duration are asked for when a file has loaded: the
// observed copies may still hold the item before. The answer to a file that
// was replaced before it came can hold the next file's, so each answer
// carries the number of the file it was asked for.
constexpr uint64_t ResumeReplies = uint64_t(1) << 32;

uint64_t replyId(uint32_t file, bool duration)
{
  return ResumeReplies + 2 * uint64_t(file) + duration;
}

// How often the position of a playing video is kept, so that a crash loses
// little; a paused one is not written again.
constexpr int CheckpointMs = 30'000;
constexpr int ResumeNoteMs = 4000;

} // namespace

void EngineMpv::startResuming()
{
  m_resume = std::make_unique<ResumePoints>(ResumeStore::defaultPath());
  m_resumeTimer.setInterval(CheckpointMs);
  connect(&m_resumeTimer, &QTimer::timeout, this, &EngineMpv::keepResumePoint);
}

void EngineMpv::resumeItemStarted()
{
  ++m_resumeFile;
  resumeItemGone();
}

void EngineMpv::resumeItemGone()
{
  m_resumeKey.clear();
  m_resumeSource.clear();
  m_resumeTimer.stop();
  m_properties.lastTimePos = 0;
}

void EngineMpv::resumeItemLoaded()
{
  mpv_get_property_async(m_mpv, replyId(m_resumeFile, false), "path", MPV_FORMAT_STRING);
  mpv_get_property_async(m_mpv, replyId(m_resumeFile, true), "duration", MPV_FORMAT_DOUBLE);
}

void EngineMpv::takeResumeReply(const mpv_event& event)
{
  if (event.reply_userdata != replyId(m_resumeFile, false)
      && event.reply_userdata != replyId(m_resumeFile, true))
    return;
  const auto* reply = static_cast<const mpv_event_property*>(event.data);
  const bool has = event.error >= 0 && reply->format != MPV_FORMAT_NONE && reply->data;
  if (event.reply_userdata == replyId(m_resumeFile, false)) {
    m_resumeSource = has ? decodeFileName(*static_cast<char* const*>(reply->data)) : QString();
  } else if (has && !m_resumeSource.isEmpty()) {
    m_resumeDuration = *static_cast<const double*>(reply->data);
    m_resumeKey = ResumePoints::keyOf(std::exchange(m_resumeSource, QString()));
    m_resumeTimer.start();
    if (m_resumeFile == m_fileFromStart)
      return;
    if (const std::optional<double> start = m_resume->startOf(m_resumeKey, m_resumeDuration))
      resumeAt(*start);
  }
}

// Not setCurrentPosition: that refuses while the observed path may still
// be on its way, and the item is loaded now.
void EngineMpv::resumeAt(double seconds)
{
  const QByteArray target = QByteArray::number(seconds, 'f', 3);
  const char* args[] = {"seek", target.constData(), "absolute", nullptr};
  if (mpv_command_async(m_mpv, 0, args) < 0)
    return;
  m_properties.timePos = m_properties.lastTimePos = seconds;
  updateBar();
  emit positionJumped(seconds);
  showNote(ResumePoints::noteFor(seconds), ResumeNoteMs);
}

void EngineMpv::resumeItemEnded(int reason)
{
  if (m_resumeKey.isEmpty())
    return;
  if (reason == MPV_END_FILE_REASON_EOF)
    m_resume->ended(m_resumeKey);
  else if (reason != MPV_END_FILE_REASON_REDIRECT)
    keepResumePoint();
  resumeItemGone();
}

void EngineMpv::keepResumePoint()
{
  if (!m_resumeKey.isEmpty())
    m_resume->leftAt(m_resumeKey, m_properties.lastTimePos, m_resumeDuration, m_properties.hasPicture);
}

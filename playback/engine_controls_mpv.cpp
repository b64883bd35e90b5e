// The engine's controls and settings, carried to the core as they are asked
// for. Each is shown at once and taken as done, so that a second request goes
// on from the first; the core's answer tells only what failed.
#include "playback/engine_mpv.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include "playback/failure_watch_mpv.h"
#include "playback/fine_controls_mpv.h"
#include "playback/mpv_session_mpv.h"
#include "playback/play_speed.h"
#include "playback/seeking_mpv.h"
#include "playback/subtitle_encoding.h"
#include "playback/video_window_mpv.h"

#include <algorithm>
#include <mpv/client.h>

void EngineMpv::setURL(const QString& url)
{
  m_url = url;
  m_file.stoppedEntry = -1;
  m_failures->urlSet(url);
  emit urlSet(url);
  feed(EngineEvent::UrlSet);
  if (m_video->hasRenderContext())
    load();
  else
    m_file.loadQueued = true; // libmpv cannot open video before the render context exists
}

void EngineMpv::load()
{
  m_due = {true, true, true};
  // pause survives stop and loadfile: the new item must start playing.
  m_session->set("pause", false);
  const QByteArray url = encodeFileName(WebAddress::withLowerCaseScheme(m_url));
  m_session->command({"loadfile", url, "replace"}, [this](int error) {
    if (error < 0)
      feed(EngineEvent::EndFileError);
  });
}

void EngineMpv::play()
{
  switch (playState()) {
  case PlayState::Stopped:
    // The item that was stopped starts again from its beginning; a list goes
    // on from there.
    if (m_file.stoppedEntry >= 0) {
      m_file.fromStart = m_file.number + 1;
      m_session->command({"playlist-play-index", QByteArray::number(std::exchange(m_file.stoppedEntry, -1))});
      break;
    }
    [[fallthrough]];
  case PlayState::MediaEnded:
    // As a player's Play button: start the current URL again.
    if (!m_url.isEmpty())
      setURL(m_url);
    break;
  case PlayState::Paused:
  case PlayState::Buffering:
  case PlayState::Transitioning:
    m_session->set("pause", false);
    break;
  default:
    break;
  }
}

void EngineMpv::pause()
{
  m_session->set("pause", true);
}

void EngineMpv::stop()
{
  // The list stays, so that Play starts the item that was stopped.
  if (m_file.active)
    m_file.stoppedEntry = m_properties.playlistPos;
  m_session->command({"stop", "keep-playlist"});
}

void EngineMpv::next()
{
  m_session->command({"playlist-next"});
}

void EngineMpv::previous()
{
  m_session->command({"playlist-prev"});
}

// While a seek is on its way, the position is where it goes: the next step
// of a key held down goes on from there, not from the keyframe shown meanwhile.
double EngineMpv::currentPosition() const
{
  return m_fine->seeking().busy() ? m_fine->seeking().target() : m_properties.timePos;
}

void EngineMpv::setCurrentPosition(double seconds)
{
  seekTo(seconds, SeekQueue::Want::QuickThenExact);
}

void EngineMpv::scrubTo(double seconds)
{
  seekTo(seconds, SeekQueue::Want::Nearby);
}

void EngineMpv::seekTo(double seconds, SeekQueue::Want want)
{
  if (!m_file.active)
    return;
  seconds = std::max(0.0, seconds);
  m_fine->seeking().seek(seconds, want, currentPosition());
  m_properties.timePos = m_properties.lastTimePos = seconds;
}

void EngineMpv::setVolume(int volume)
{
  volume = std::clamp(volume, 0, 100);
  if (volume == m_settings.volume)
    return;
  m_settings.volume = volume;
  m_session->set("volume", double(volume));
  emit volumeChanged(volume);
}

void EngineMpv::setMute(bool on)
{
  m_settings.mute = on;
  m_session->set("mute", on);
  emit muteChanged(on);
}

void EngineMpv::setMode(const QString& mode, bool on)
{
  if (mode == QLatin1String("loop")) {
    // Repeats a single file as well as a list.
    m_settings.loop = on;
    m_session->set("loop-playlist", on ? QByteArray("inf") : QByteArray("no"));
  } else if (mode == QLatin1String("shuffle")) {
    // The option shuffles lists loaded later; the command the one playing.
    m_settings.shuffle = on;
    m_session->set("shuffle", on);
    m_session->command({on ? "playlist-shuffle" : "playlist-unshuffle"});
    // Asked after the shuffle, the answer is the current item's new place.
    if (on)
      m_session->get("playlist-pos", MPV_FORMAT_INT64, [this](const mpv_event_property* place) {
        if (place)
          moveToFront(*static_cast<const int64_t*>(place->data));
      });
  }
}

// The list goes on from the current item's place; putting it first lets
// every other item still come.
void EngineMpv::moveToFront(int64_t current)
{
  if (current > 0)
    m_session->command({"playlist-move", QByteArray::number(current), "0"});
}

bool EngineMpv::getMode(const QString& mode) const
{
  if (mode == QLatin1String("loop"))
    return m_settings.loop;
  if (mode == QLatin1String("shuffle"))
    return m_settings.shuffle;
  return false;
}

void EngineMpv::setRate(double rate)
{
  rate = PlaySpeed::bounded(rate);
  if (rate == m_settings.rate)
    return;
  m_settings.rate = rate;
  // The speed is the player's, not the item's: it holds for the next one too.
  m_session->set("speed", rate);
  emit rateChanged(rate);
}

void EngineMpv::selectTrack(Track::Kind kind, int id)
{
  m_session->set(kind == Track::Kind::Audio ? "aid" : "sid",
                 id == 0 ? QByteArray("no") : QByteArray::number(id));
  for (Track& track : m_properties.tracks)
    if (track.kind == kind)
      track.selected = track.id == id;
}

void EngineMpv::setSubtitlesVisible(bool on)
{
  m_settings.subtitlesVisible = on;
  m_session->set("sub-visibility", on);
}

void EngineMpv::addSubtitleFile(const QString& path)
{
  if (!m_file.active) {
    emit subtitleFileAdded(path, false);
    return;
  }
  // Read as the files beside the media are; the option goes with the item.
  m_session->set("file-local-options/sub-codepage",
                 SubtitleEncoding::name(SubtitleEncoding::ofFile(path)));
  m_session->command({"sub-add", encodeFileName(path), "select"},
                     [this, path](int error) { emit subtitleFileAdded(path, error >= 0); });
}

void EngineMpv::saveScreenshot(const QString& path, bool withSubtitles)
{
  if (!m_file.active) {
    emit screenshotSaved(path, false);
    return;
  }
  m_fine->saveScreenshot(path, withSubtitles);
}

LoopPoints EngineMpv::loopPoints() const
{
  return m_fine->loopPoints();
}

void EngineMpv::setLoopPoints(const LoopPoints& points)
{
  if (m_file.active)
    m_fine->setLoopPoints(points);
}

void EngineMpv::stepFrame(bool forward)
{
  if (m_file.active)
    m_fine->stepFrame(forward);
}

double EngineMpv::subtitleDelay() const
{
  return m_fine->subtitleDelay();
}

void EngineMpv::setSubtitleDelay(double seconds)
{
  if (m_file.active)
    m_fine->setSubtitleDelay(seconds);
}

void EngineMpv::showCard(const QVector<CardSection>& sections)
{
  m_video->setCard(sections);
}

void EngineMpv::hideCard()
{
  m_video->setCard({});
}

bool EngineMpv::cardShown() const
{
  return !m_video->card().isEmpty();
}

void EngineMpv::showNote(const QString& text, int milliseconds)
{
  // Shown as it is: "${…}" in a file name is no property to expand.
  m_session->command({"raw", "show-text", text.toUtf8(), QByteArray::number(milliseconds)});
}

void EngineMpv::showMessage(const QString& line)
{
  // Drawn by the picture itself: the core draws its own text only while it
  // has a video output, and keeping one ready for nothing would cost every
  // video's first frame.
  m_video->setMessage(line);
}

#include "playback/mpris_state.h"

#include "core/display_name.h"
#include "core/media_types.h"
#include "core/web_address.h"
#include "playback/play_speed.h"

#include "core/file_name_bytes.h"
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace Mpris {

QString playbackStatus(int playState, const QString& before)
{
  switch (playState) {
  case PlayState::Transitioning:
  case PlayState::Buffering:
    // The next item of a list, or more data, while something plays; an item
    // that has not started yet, an address that may never answer among them,
    // plays nothing.
    return before == QLatin1String("Stopped") ? before : QStringLiteral("Playing");
  case PlayState::Paused:
    return QStringLiteral("Paused");
  case PlayState::Undefined:
  case PlayState::Stopped:
  case PlayState::MediaEnded:
  case PlayState::Ready:
    return QStringLiteral("Stopped");
  default:
    // Opening, buffering and the like end in playing by themselves.
    return QStringLiteral("Playing");
  }
}

double volumeOf(int engineVolume)
{
  return std::clamp(engineVolume, 0, 100) / 100.0;
}

int engineVolumeOf(double volume)
{
  if (!std::isfinite(volume) || volume <= 0)
    return 0;
  return int(std::lround(std::min(volume, 1.0) * 100));
}

qint64 microseconds(double seconds)
{
  if (!std::isfinite(seconds) || seconds <= 0)
    return 0;
  return std::llround(seconds * 1e6);
}

MprisTrack track(const MediaItem& item, const QString& trackId)
{
  MprisTrack track;
  track.trackId = trackId;
  track.length = microseconds(item.duration);
  const QString& source = item.sourceURL;
  if (WebAddress::isAddress(source)) {
    track.url = source;
    track.title = item.title.isEmpty() ? source : item.title;
  } else {
    const QFileInfo file(source);
    track.url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    track.title = item.title.isEmpty() ? displayName(source) : item.title;
  }
  if (!item.author.isEmpty())
    track.artist << item.author;
  track.album = item.album;
  if (!item.coverArtFile.isEmpty())
    track.artUrl = QUrl::fromLocalFile(item.coverArtFile).toString(QUrl::FullyEncoded);
  return track;
}

std::optional<bool> repeatOf(const QString& loopStatus)
{
  if (loopStatus == QLatin1String("None"))
    return false;
  if (loopStatus == QLatin1String("Playlist") || loopStatus == QLatin1String("Track"))
    return true;
  return std::nullopt;
}

QString linkCommand(const QString& uri)
{
  const QUrl url(uri);
  const QString scheme = url.scheme(); // lower case
  if (!url.isValid() || !uriSchemes().contains(scheme))
    return {};
  if (scheme != QLatin1String("file"))
    return uri;
  const QString path = localFileOfUrl(url);
  return path.startsWith(u'/') ? path : QString();
}

const QStringList& uriSchemes()
{
  // Local files and the network protocols the engine streams from; none of
  // its internal ones (file descriptors, memory, edit lists).
  static const QStringList schemes{
      "file", "http", "https", "ftp",   "sftp", "smb",  "rtmp", "rtmps",
      "rtsp", "rtsps", "mms", "mmsh", "mmst", "rtp", "srt",  "udp"};
  return schemes;
}

QStringList mimeTypes()
{
  QStringList types;
  for (const QString& extension : MediaTypes::associatedExtensions())
    for (const QString& type : MediaTypes::mimeTypesOf(extension))
      if (!types.contains(type))
        types << type;
  return types;
}

QStringList changedProperties(const MprisProperties& before, const MprisProperties& after)
{
  QStringList names;
  const auto compare = [&](const char* name, const auto& a, const auto& b) {
    if (a != b)
      names << QLatin1String(name);
  };
  compare("PlaybackStatus", before.PlaybackStatus, after.PlaybackStatus);
  compare("Metadata", before.Metadata, after.Metadata);
  compare("Volume", before.Volume, after.Volume);
  compare("Rate", before.Rate, after.Rate);
  compare("CanPlay", before.CanPlay, after.CanPlay);
  compare("CanPause", before.CanPause, after.CanPause);
  compare("CanSeek", before.CanSeek, after.CanSeek);
  compare("CanGoNext", before.CanGoNext, after.CanGoNext);
  compare("CanGoPrevious", before.CanGoPrevious, after.CanGoPrevious);
  compare("LoopStatus", before.LoopStatus, after.LoopStatus);
  compare("Shuffle", before.Shuffle, after.Shuffle);
  return names;
}

} // namespace Mpris

MprisState::MprisState(MediaEngine& engine, const MenuModel& menus)
    : m_engine(engine), m_menus(menus)
{
  m_properties = read();
}

qint64 MprisState::position() const
{
  return Mpris::microseconds(m_engine.currentPosition());
}

QStringList MprisState::refresh()
{
  const MprisProperties before = m_properties;
  m_properties = read();
  return Mpris::changedProperties(before, m_properties);
}

MprisProperties MprisState::read()
{
  MprisProperties p;
  p.PlaybackStatus = Mpris::playbackStatus(m_engine.playState(), m_properties.PlaybackStatus);
  p.Volume = Mpris::volumeOf(m_engine.volume());
  p.Rate = m_engine.rate();
  const std::optional<MediaItem> media = m_engine.currentMedia();
  // An item that stopped or ended is still the current one, shown as it was;
  // played again it is a new track.
  const int state = m_engine.playState();
  const bool stopped = state == PlayState::Stopped || state == PlayState::MediaEnded;
  if (media) {
    // Tags and the picture size arrive after the item; only a new source is
    // a new item.
    if (media->sourceURL != m_source || (m_stopped && !stopped)) {
      m_source = media->sourceURL;
      ++m_tracks;
    }
    p.Metadata = Mpris::track(*media, QStringLiteral("/org/kelvarino/track/%1").arg(m_tracks));
  } else {
    m_source.clear();
  }
  m_stopped = stopped;
  // Play starts the last address again after a stop, as the control bar's
  // button does. The engine keeps no list once stopped, so pause, seek, next
  // and previous are offered while an item is loaded and not stopped; next
  // and previous only where they lead somewhere: past either end of the list
  // only while repeat goes round it.
  const bool loaded = media && !stopped;
  const bool repeat = m_menus.checked(MenuItem::mReplay);
  const ListPlace place = m_engine.listPlace();
  p.CanPlay = !m_engine.URL().isEmpty();
  p.CanPause = loaded;
  p.CanSeek = loaded && media->duration > 0;
  p.CanGoNext = loaded && place.position >= 0 && (repeat || place.position + 1 < place.length);
  p.CanGoPrevious = loaded && place.position >= 0 && (repeat || place.position > 0);
  p.LoopStatus = repeat ? QStringLiteral("Playlist") : QStringLiteral("None");
  p.Shuffle = m_menus.checked(MenuItem::mRnd);
  return p;
}

void MprisState::playPause()
{
  m_engine.playPause();
}

void MprisState::seek(qint64 offset)
{
  const std::optional<MediaItem> media = m_engine.currentMedia();
  if (!media || media->duration <= 0)
    return;
  const double target = m_engine.currentPosition() + double(offset) / 1e6;
  if (target > media->duration)
    m_engine.next();
  else
    m_engine.setCurrentPosition(std::max(0.0, target));
}

void MprisState::setPosition(const QString& trackId, qint64 position)
{
  const std::optional<MprisTrack>& current = m_properties.Metadata;
  if (!m_properties.CanSeek || !current || current->trackId != trackId || position < 0 ||
      position > current->length)
    return;
  m_engine.setCurrentPosition(double(position) / 1e6);
}

void MprisState::setRate(double rate)
{
  if (!std::isfinite(rate))
    return;
  if (rate == 0)
    m_engine.pause();
  else
    m_engine.setRate(PlaySpeed::bounded(rate));
}

void MprisState::setVolume(double volume)
{
  if (std::isfinite(volume))
    m_engine.setVolume(Mpris::engineVolumeOf(volume));
}

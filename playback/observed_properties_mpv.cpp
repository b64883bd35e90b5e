#include "playback/observed_properties_mpv.h"

#include "core/display_name.h"
#include "core/file_name_bytes.h"
#include "core/milestone_trace.h"
#include "playback/node_mpv.h"
#include "playback/track_list_mpv.h"
#include "playback/mpv_session_mpv.h"
#include <mpv/client.h>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool isVideoTrack(const mpv_node& track)
{
  const mpv_node* type = nodeField(track, "type");
  return type && type->format == MPV_FORMAT_STRING && std::strcmp(type->u.string, "video") == 0;
}

const mpv_node* selectedVideoTrack(const mpv_node& tracks)
{
  if (tracks.format != MPV_FORMAT_NODE_ARRAY)
    return nullptr;
  for (int i = 0; i < tracks.u.list->num; ++i)
    if (isVideoTrack(tracks.u.list->values[i]) && nodeFlag(tracks.u.list->values[i], "selected"))
      return &tracks.u.list->values[i];
  return nullptr;
}

// Cover art of an audio file is a video track too, but no picture.
bool selectsAPicture(const mpv_node& tracks)
{
  const mpv_node* track = selectedVideoTrack(tracks);
  return track && !nodeFlag(*track, "albumart");
}

// In the order they start, whatever order the file lists them in; a chapter
// without a time is none.
QVector<Chapter> chaptersOf(const mpv_node& list)
{
  QVector<Chapter> chapters;
  if (list.format != MPV_FORMAT_NODE_ARRAY)
    return chapters;
  chapters.reserve(list.u.list->num);
  for (int i = 0; i < list.u.list->num; ++i) {
    const double start = nodeNumber(list.u.list->values[i], "time");
    if (std::isfinite(start))
      chapters.append(
          {std::max(0.0, start), singleLine(nodeText(list.u.list->values[i], "title"))});
  }
  std::stable_sort(chapters.begin(), chapters.end(),
                   [](const Chapter& a, const Chapter& b) { return a.start < b.start; });
  return chapters;
}

} // namespace

void ObservedPropertiesMpv::observe(MpvSession& session,
                                    std::function<void(Id id, bool mediaChanged)> changed)
{
  using enum Id;
  const std::pair<Id, std::pair<const char*, mpv_format>> properties[] = {
      {Pause, {"pause", MPV_FORMAT_FLAG}},
      {PausedForCache, {"paused-for-cache", MPV_FORMAT_FLAG}},
      {IdleActive, {"idle-active", MPV_FORMAT_FLAG}},
      {Path, {"path", MPV_FORMAT_STRING}},
      {Duration, {"duration", MPV_FORMAT_DOUBLE}},
      {TimePos, {"time-pos", MPV_FORMAT_DOUBLE}},
      {Metadata, {"metadata", MPV_FORMAT_NODE}},
      {VideoParams, {"video-params", MPV_FORMAT_NODE}},
      {TrackList, {"track-list", MPV_FORMAT_NODE}},
      {VoConfigured, {"vo-configured", MPV_FORMAT_FLAG}},
      {PlaylistPos, {"playlist-pos", MPV_FORMAT_INT64}},
      {PlaylistCount, {"playlist-count", MPV_FORMAT_INT64}},
      {ChapterList, {"chapter-list", MPV_FORMAT_NODE}},
  };
  for (const auto& [id, property] : properties)
    session.observe(property.first, property.second,
                    [this, id, changed](const mpv_event_property& change) {
                      changed(id, absorb(id, change));
                    });
  // For the benchmarks (KELVARINO_TRACE): frames playback dropped, so far.
  session.observe("frame-drop-count", MPV_FORMAT_INT64, [](const mpv_event_property& p) {
    if (p.format == MPV_FORMAT_INT64)
      traceMilestone("frame-drops", QString::number(*static_cast<int64_t*>(p.data)));
  });
}

bool ObservedPropertiesMpv::absorb(Id id, const mpv_event_property& change)
{
  using enum Id;
  // An unavailable property comes without a value, whatever was asked for.
  const bool has = change.format != MPV_FORMAT_NONE && change.data;
  const auto* node = static_cast<const mpv_node*>(change.data);
  const bool on = has && change.format == MPV_FORMAT_FLAG && *static_cast<const int*>(change.data);
  switch (id) {
  case Pause:
    paused = on;
    return false;
  case PausedForCache:
    waitingForData = on;
    return false;
  case IdleActive:
    idle = on;
    return false;
  case Path:
    // The core gives a file name's bytes as they are, UTF-8 or not.
    path = has ? decodeFileName(*static_cast<char* const*>(change.data)) : QString();
    return true;
  case Duration:
    duration = has ? *static_cast<const double*>(change.data) : 0;
    return true;
  case TimePos:
    timePos = has ? *static_cast<const double*>(change.data) : 0;
    if (has)
      lastTimePos = timePos;
    return false;
  case VoConfigured:
    voConfigured = has && *static_cast<const int*>(change.data);
    return false;
  // Where next and previous lead: the desktop's widgets hear of it.
  case PlaylistPos:
    playlistPos = has ? *static_cast<const int64_t*>(change.data) : -1;
    return true;
  case PlaylistCount:
    playlistCount = has ? *static_cast<const int64_t*>(change.data) : 0;
    return true;
  case VideoParams:
    videoWidth = has ? int(nodeInt(*node, "w")) : 0;
    videoHeight = has ? int(nodeInt(*node, "h")) : 0;
    highDynamicRange = has && (nodeText(*node, "gamma") == QLatin1String("pq") ||
                               nodeText(*node, "gamma") == QLatin1String("hlg"));
    if (videoWidth > 0 && videoHeight > 0) {
      lastPicture.width = videoWidth;
      lastPicture.height = videoHeight;
    }
    return true;
  case TrackList:
    hasPicture = has && selectsAPicture(*node);
    showsVideoTrack = has && selectedVideoTrack(*node);
    if (has && node->format == MPV_FORMAT_NODE_ARRAY && node->u.list->num > 0)
      lastPicture.shown = hasPicture;
    tracks = has ? tracksOf(*node) : QVector<Track>();
    return true;
  case ChapterList:
    chapters = has ? chaptersOf(*node) : QVector<Chapter>();
    return false;
  case Metadata:
    m_tags.clear();
    if (has && node->format == MPV_FORMAT_NODE_MAP)
      for (int i = 0; i < node->u.list->num; ++i)
        if (node->u.list->values[i].format == MPV_FORMAT_STRING)
          m_tags.insert(QString::fromUtf8(node->u.list->keys[i]).toLower(),
                        QString::fromUtf8(node->u.list->values[i].u.string));
    return true;
  default:
    return false;
  }
}

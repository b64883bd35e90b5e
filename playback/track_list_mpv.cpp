#include "playback/track_list_mpv.h"

#include <mpv/client.h>
#include <cstring>

namespace {

const mpv_node* field(const mpv_node& map, const char* key)
{
  if (map.format != MPV_FORMAT_NODE_MAP)
    return nullptr;
  for (int i = 0; i < map.u.list->num; ++i)
    if (std::strcmp(map.u.list->keys[i], key) == 0)
      return &map.u.list->values[i];
  return nullptr;
}

QString text(const mpv_node& map, const char* key)
{
  const mpv_node* value = field(map, key);
  return value && value->format == MPV_FORMAT_STRING ? QString::fromUtf8(value->u.string) : QString();
}

} // namespace

QVector<Track> tracksOf(const mpv_node& trackList)
{
  QVector<Track> tracks;
  if (trackList.format != MPV_FORMAT_NODE_ARRAY)
    return tracks;
  for (int i = 0; i < trackList.u.list->num; ++i) {
    const mpv_node& entry = trackList.u.list->values[i];
    const QString type = text(entry, "type");
    if (type != QLatin1String("audio") && type != QLatin1String("sub"))
      continue;
    Track track;
    track.kind = type == QLatin1String("audio") ? Track::Kind::Audio : Track::Kind::Subtitle;
    const mpv_node* id = field(entry, "id");
    track.id = id && id->format == MPV_FORMAT_INT64 ? int(id->u.int64) : 0;
    track.language = text(entry, "lang");
    track.title = text(entry, "title");
    const mpv_node* selected = field(entry, "selected");
    track.selected = selected && selected->format == MPV_FORMAT_FLAG && selected->u.flag;
    tracks.append(track);
  }
  return tracks;
}

#include "playback/track_list_mpv.h"

#include "playback/node_mpv.h"
#include <mpv/client.h>

QVector<Track> tracksOf(const mpv_node& trackList)
{
  QVector<Track> tracks;
  if (trackList.format != MPV_FORMAT_NODE_ARRAY)
    return tracks;
  for (int i = 0; i < trackList.u.list->num; ++i) {
    const mpv_node& entry = trackList.u.list->values[i];
    const QString type = nodeText(entry, "type");
    if (type != QLatin1String("audio") && type != QLatin1String("sub"))
      continue;
    Track track;
    track.kind = type == QLatin1String("audio") ? Track::Kind::Audio : Track::Kind::Subtitle;
    track.id = int(nodeInt(entry, "id"));
    track.language = nodeText(entry, "lang");
    track.title = nodeText(entry, "title");
    track.selected = nodeFlag(entry, "selected");
    tracks.append(track);
  }
  return tracks;
}

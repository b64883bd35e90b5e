#pragma once

#include "core/media_engine.h"
#include "playback/track_menu.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>

class MpvSession;
struct mpv_event_property;

// What the engine needs to know of the player core, kept up to date from
// observed property changes. The GUI thread also renders the video, and a
// synchronous property read there can wait on a core that waits on the video
// output, which waits for that very render: libmpv breaks the cycle only
// after 200 ms. Reading this copy never waits.
class ObservedPropertiesMpv {
public:
  enum class Id {
    Pause = 1,
    PausedForCache,
    IdleActive,
    Path,
    Duration,
    TimePos,
    Metadata,
    VideoParams,
    TrackList,
    VoConfigured,
    PlaylistPos,
    PlaylistCount,
    ChapterList,
  };

  // Follows the properties through `session`; `changed` hears each change
  // once it is taken in, with whether it alters what currentMedia() reports.
  void observe(MpvSession& session, std::function<void(Id id, bool mediaChanged)> changed);

  // Takes in one change; says whether it alters what currentMedia() reports.
  // Values are never guessed between changes: libmpv reports a change only
  // when a value differs from the one it reported last.
  bool absorb(Id id, const mpv_event_property& change);

  bool paused = false;
  bool waitingForData = false; // paused for the cache
  bool idle = false;
  QString path;
  double duration = 0;
  double timePos = 0;
  // The last position reported: an item that stops or is replaced reports
  // none before its end-file event arrives.
  double lastTimePos = 0;
  int videoWidth = 0;
  int videoHeight = 0;
  bool highDynamicRange = false; // the picture's transfer is PQ or HLG
  bool hasPicture = false; // a selected video track that is not cover art
  bool showsVideoTrack = false; // a selected video track, cover art too
  // The picture as last reported for the file: when it stops or ends, its
  // video and track properties go empty before the end-file event arrives.
  struct Picture {
    int width = 0;
    int height = 0;
    bool shown = false;
  } lastPicture;
  bool voConfigured = false;
  int64_t playlistPos = -1; // the current entry's place in the play list
  int64_t playlistCount = 0;
  QVector<Track> tracks; // audio and subtitles
  QVector<Chapter> chapters;

  // Tag lookup ignores case, as files spell their keys as they like.
  QString tag(const QString& key) const { return m_tags.value(key.toLower()); }

private:
  QHash<QString, QString> m_tags; // lower-case key → value
};

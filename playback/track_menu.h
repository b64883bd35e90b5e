#pragma once

#include "core/track.h"

#include <QString>
#include <QVector>

// One line of a track menu; id 0 is "关闭" (no subtitles).
struct TrackEntry {
  QString text;
  int id = 0;
  bool checked = false;

  bool operator==(const TrackEntry&) const = default;
};

namespace TrackMenu {

inline constexpr int Off = 0;

// "中文" for "chi", "zho", "zh" and its regional forms, and so on for the
// common languages; any other code as it is; "" for none or "und".
QString languageName(const QString& code);

// The item's tracks of one kind, in the engine's order, the current one checked.
// Subtitles end with "关闭", checked when none is shown.
QVector<TrackEntry> entries(const QVector<Track>& tracks, Track::Kind kind);

// The track that comes after the current one: audio goes round its tracks;
// subtitles go round theirs and "关闭". Off when there is nothing to choose.
int next(const QVector<Track>& tracks, Track::Kind kind);

// The note shown when `id` is chosen: "音轨 2：英语", "字幕：中文", "字幕：关闭".
QString note(const QVector<Track>& tracks, Track::Kind kind, int id);

// Whether the item has subtitles that `v` can show or hide.
bool hasSubtitles(const QVector<Track>& tracks);
// What `v` says: "显示字幕" or "隐藏字幕", or "没有字幕" when there are none.
QString visibilityNote(const QVector<Track>& tracks, bool visible);

} // namespace TrackMenu

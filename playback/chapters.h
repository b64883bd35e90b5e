#pragma once

#include "core/media_engine.h"
#include "playback/bar_mark.h"

#include <optional>

// Where the chapters of an item (in the order they start) stand to a time.
namespace Chapters {

// The chapter playing at `seconds`; none before the first one starts.
std::optional<int> at(const QVector<Chapter>& chapters, double seconds);
// The chapter PgDn goes to: the first that starts after `seconds`.
std::optional<int> next(const QVector<Chapter>& chapters, double seconds);
// The chapter PgUp goes to: the start of the one playing, unless that began
// only moments ago, when it is the one before.
std::optional<int> previous(const QVector<Chapter>& chapters, double seconds);

// The marks of the chapters' starts on a bar of an item `duration` long. A
// file may list thousands of chapters: a mark closer to the one before than a
// bar's pixel would be is left out, so that drawing the bar stays cheap.
QVector<BarMark> marks(const QVector<Chapter>& chapters, double duration);

} // namespace Chapters

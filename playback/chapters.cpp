#include "playback/chapters.h"

#include <algorithm>

namespace {

// Within this many seconds of a chapter's start, PgUp goes to the chapter
// before: a person pressing it twice means to go further back.
constexpr double JustStarted = 5;
// No bar is wider than this many pixels: finer marks would share one.
constexpr int MostMarks = 4096;

// A seek to a chapter's start may land a frame short of it; that is still
// the chapter, or PgDn would go to it again.
constexpr double FrameShort = 0.05;

// The first chapter that starts after `seconds`.
QVector<Chapter>::const_iterator firstAfter(const QVector<Chapter>& chapters, double seconds)
{
  return std::upper_bound(chapters.begin(), chapters.end(), seconds + FrameShort,
                          [](double s, const Chapter& c) { return s < c.start; });
}

} // namespace

namespace Chapters {

std::optional<int> at(const QVector<Chapter>& chapters, double seconds)
{
  const auto after = firstAfter(chapters, seconds);
  if (after == chapters.begin())
    return std::nullopt;
  return int(after - chapters.begin()) - 1;
}

std::optional<int> next(const QVector<Chapter>& chapters, double seconds)
{
  const auto after = firstAfter(chapters, seconds);
  if (after == chapters.end())
    return std::nullopt;
  return int(after - chapters.begin());
}

std::optional<int> previous(const QVector<Chapter>& chapters, double seconds)
{
  const std::optional<int> playing = at(chapters, seconds);
  if (!playing)
    return std::nullopt;
  if (seconds - chapters[*playing].start >= JustStarted || *playing == 0)
    return playing;
  return *playing - 1;
}

QVector<BarMark> marks(const QVector<Chapter>& chapters, double duration)
{
  QVector<BarMark> marks;
  if (duration <= 0)
    return marks;
  const double finest = duration / MostMarks;
  for (const Chapter& chapter : chapters) {
    // The first chapter usually starts the item: a mark there says nothing.
    if (chapter.start <= 0 || chapter.start >= duration)
      continue;
    if (!marks.isEmpty() && chapter.start - marks.last().seconds < finest)
      continue;
    marks.append({chapter.start, BarMark::Kind::Chapter});
  }
  return marks;
}

} // namespace Chapters

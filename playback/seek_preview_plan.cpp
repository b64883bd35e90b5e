#include "playback/seek_preview_plan.h"

#include "core/web_address.h"
#include "playback/chapters.h"
#include "playback/clock_text.h"

#include <algorithm>

namespace {

constexpr int Narrowest = 160;
constexpr int Widest = 320;

} // namespace

namespace SeekPreviewPlan {

QSize pictureSize(const MediaItem& item)
{
  if (item.imageSourceWidth <= 0 || item.imageSourceHeight <= 0 || item.showsCoverArt ||
      WebAddress::isAddress(item.sourceURL))
    return {};
  const int width = std::clamp(item.imageSourceWidth / 5, Narrowest, Widest);
  // A picture far wider or taller than any film still gets a band of it.
  const qint64 height = qint64(width) * item.imageSourceHeight / item.imageSourceWidth;
  return {width, int(std::clamp<qint64>(height, 16, 2 * Widest))};
}

QString caption(double seconds, const QVector<Chapter>& chapters)
{
  const QString time = clockText(seconds);
  const std::optional<int> chapter = Chapters::at(chapters, seconds);
  if (!chapter || chapters[*chapter].title.isEmpty())
    return time;
  return time + u'\n' + chapters[*chapter].title;
}

} // namespace SeekPreviewPlan

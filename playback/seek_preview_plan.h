#pragma once

#include "core/media_engine.h"

#include <QSize>

// What the preview above the seek bar shows of an item.
namespace SeekPreviewPlan {

// The size of its picture: a fifth of the item's width, from 160 to 320
// pixels, in the item's proportions. Empty where there is no picture to show:
// a sound (its cover art included) or an address, which a second download
// would slow down.
QSize pictureSize(const MediaItem& item);

// The lines under the picture: the time, and the title of the chapter it
// falls in when that has one.
QString caption(double seconds, const QVector<Chapter>& chapters);

} // namespace SeekPreviewPlan

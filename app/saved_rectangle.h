#pragma once

#include "core/twips.h"
#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

// The outer rectangle that "move" holds (Left, Top, Width and Height in twips,
// joined by commas), when it can be a window on these screens: four finite
// numbers, a real size at most a few screens across, and a title bar the user
// can take hold of on one of the screens. Any other text is malformed and
// gives nothing. The screens and the title bar's height are in twips too.
std::optional<QRectF> usableSavedRectangle(const QString& move, const QList<QRectF>& screens,
                                           Twips titleBarHeight);

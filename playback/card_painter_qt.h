#pragma once

#include "core/overlay_card.h"

#include <QVector>

class QPainter;
class QRect;

// Draws a card of sections over `area`, centred, light text on a dark panel:
// the sections flow into as few columns as the area's height allows, and the
// text shrinks where even three columns would not fit.
void paintCard(QPainter& painter, const QRect& area, const QVector<CardSection>& card);

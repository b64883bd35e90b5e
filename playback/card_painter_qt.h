#pragma once

#include "core/overlay_card.h"

#include <QVector>

class QFont;
class QPainter;
class QRect;
class QSize;

// Draws a card of sections over `area`, centred, light text on a dark panel:
// the sections flow into as few columns as the area's height allows, and the
// text shrinks where even three columns would not fit, down to a size still
// read with ease.
void paintCard(QPainter& painter, const QRect& area, const QVector<CardSection>& card);
// Whether `area` holds the card at that smallest text.
bool cardFits(const QFont& font, const QSize& area, const QVector<CardSection>& card);
// The area that holds the card at its smallest text, in three columns.
QSize cardSize(const QFont& font, const QVector<CardSection>& card);

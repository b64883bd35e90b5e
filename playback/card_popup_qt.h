#pragma once

#include "core/overlay_card.h"

#include <QWidget>

// The card of keys in a window of its own, for a picture too small to hold it
// (the compact window of an audio item): it sits over the picture's middle,
// above the other windows, and never takes the keys, so that a key in the
// main window closes it as it closes the card drawn over the picture.
class CardPopupQt : public QWidget {
  Q_OBJECT
public:
  CardPopupQt();

  // Shows `card` centred on `centre` (global), inside that screen.
  void showCard(const QVector<CardSection>& card, const QPoint& centre);

signals:
  // A button went down over the card, at a point on the screen.
  void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint global);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QVector<CardSection> m_card;
};

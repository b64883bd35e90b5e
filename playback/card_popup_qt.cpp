#include "playback/card_popup_qt.h"

#include "playback/card_painter_qt.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

CardPopupQt::CardPopupQt()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void CardPopupQt::showCard(const QVector<CardSection>& card, const QPoint& centre)
{
  m_card = card;
  QRect frame(QPoint(), cardSize(font(), card));
  frame.moveCenter(centre);
  if (const QScreen* screen = QGuiApplication::screenAt(centre)) {
    const QRect room = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), room.left(),
                              std::max(room.left(), room.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - frame.height())));
  }
  setGeometry(frame);
  show();
  raise();
  update();
}

void CardPopupQt::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  // An edge, so that the card stands out over a dark desktop.
  painter.setPen(QColor(0x60, 0x60, 0x60));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  paintCard(painter, rect(), m_card);
}

void CardPopupQt::mousePressEvent(QMouseEvent* event)
{
  emit pressed(event->button(), event->modifiers(), event->globalPosition().toPoint());
}

#include "playback/seek_hover_qt.h"

#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

SeekHoverQt::SeekHoverQt(QSlider* slider) : QObject(slider), m_slider(slider)
{
  slider->setMouseTracking(true);
  slider->installEventFilter(this);
}

// The time the handle's centre would stand for at `x`.
double SeekHoverQt::secondsAt(int x) const
{
  QStyleOptionSlider option;
  option.initFrom(m_slider);
  option.orientation = Qt::Horizontal;
  option.minimum = m_slider->minimum();
  option.maximum = m_slider->maximum();
  option.sliderPosition = m_slider->sliderPosition();
  QStyle* style = m_slider->style();
  const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove,
                                             m_slider);
  const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                             m_slider);
  const int span = groove.width() - handle.width();
  const int ms = QStyle::sliderValueFromPosition(option.minimum, option.maximum,
                                                 x - groove.left() - handle.width() / 2, span);
  return ms / 1000.0;
}

bool SeekHoverQt::eventFilter(QObject*, QEvent* event)
{
  switch (event->type()) {
  case QEvent::MouseMove: {
    const auto* move = static_cast<QMouseEvent*>(event);
    if (move->buttons() != Qt::NoButton || !m_slider->isEnabled())
      emit left();
    else
      emit hovered(secondsAt(move->position().toPoint().x()), move->position().toPoint().x());
    break;
  }
  case QEvent::MouseButtonPress:
  case QEvent::Leave:
  case QEvent::Hide:
  case QEvent::EnabledChange:
    emit left();
    break;
  default:
    break;
  }
  return false;
}

#include "playback/seek_slider_qt.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <optional>

namespace {

const QColor LoopColour(0xf0, 0xa0, 0x30);

} // namespace

SeekSliderQt::SeekSliderQt(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void SeekSliderQt::setMarks(const QVector<BarMark>& marks)
{
  m_marks = marks;
  update();
}

// Where the handle's centre stands at that time.
int SeekSliderQt::xOf(double seconds) const
{
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int value = std::clamp(int(seconds * 1000), minimum(), maximum());
  const int span = groove.width() - handle.width();
  return groove.left() + handle.width() / 2
         + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
}

void SeekSliderQt::paintEvent(QPaintEvent* event)
{
  QSlider::paintEvent(event);
  if (m_marks.isEmpty() || maximum() <= minimum())
    return;
  QPainter painter(this);
  const int middle = height() / 2;
  std::optional<int> loopStart;
  for (const BarMark& mark : m_marks) {
    const int x = xOf(mark.seconds);
    switch (mark.kind) {
    case BarMark::Kind::Chapter:
      painter.fillRect(x, middle - 3, 2, 6, QColor(0xe6, 0xe8, 0xeb));
      break;
    case BarMark::Kind::LoopStart:
      loopStart = x;
      painter.fillRect(x - 1, middle - 6, 2, 12, LoopColour);
      painter.fillRect(x - 1, middle - 6, 4, 2, LoopColour);
      painter.fillRect(x - 1, middle + 4, 4, 2, LoopColour);
      break;
    case BarMark::Kind::LoopEnd:
      if (loopStart)
        painter.fillRect(*loopStart, middle - 2, x - *loopStart, 4, LoopColour);
      painter.fillRect(x - 1, middle - 6, 2, 12, LoopColour);
      painter.fillRect(x - 3, middle - 6, 4, 2, LoopColour);
      painter.fillRect(x - 3, middle + 4, 4, 2, LoopColour);
      break;
    }
  }
}

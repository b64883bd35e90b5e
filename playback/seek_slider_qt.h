#pragma once

#include "playback/bar_mark.h"

#include <QSlider>

// The control bar's seek slider (a value per millisecond) with marks drawn
// over its groove: the A-B loop its two ends and the stretch between them.
class SeekSliderQt : public QSlider {
  Q_OBJECT
public:
  explicit SeekSliderQt(QWidget* parent);

  void setMarks(const QVector<BarMark>& marks);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int xOf(double seconds) const;

  QVector<BarMark> m_marks;
};

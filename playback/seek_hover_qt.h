#pragma once

#include <QObject>

class QSlider;

// Follows the pointer over the seek slider without a button held: the time
// under it (the slider's value is in milliseconds) and where that is along
// the slider. Pressing the slider or leaving it ends the hover.
class SeekHoverQt : public QObject {
  Q_OBJECT
public:
  explicit SeekHoverQt(QSlider* slider);

signals:
  void hovered(double seconds, int x); // x in the slider's coordinates
  void left();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  double secondsAt(int x) const;

  QSlider* m_slider;
};

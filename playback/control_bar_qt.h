#pragma once

#include "core/twips.h"
#include "playback/bar_mark.h"

#include <QWidget>

class QLabel;
class QSlider;
class SeekSliderQt;
class QToolButton;
class TrackButtonsQt;

// The transport bar below the picture: 970 twips (65 px) high, the seek slider
// across its top and the buttons below. It only shows and asks; the engine
// decides and tells it what is true. In a narrow window the buttons keep their
// size and give way whole, the least needed first: the volume slider, the
// track buttons, previous and next, the total time, mute, stop, the position,
// and play/pause last.
class ControlBarQt : public QWidget {
  Q_OBJECT
public:
  static constexpr int Height = ControlBarPixels;

  explicit ControlBarQt(QWidget* parent);

  void setPlaying(bool playing);
  void setTimes(double position, double duration); // seconds; duration 0 = unknown
  void setVolume(int volume);
  void setMuted(bool muted);
  // Marks on the seek slider, in the order they are drawn.
  void setMarks(const QVector<BarMark>& marks);
  TrackButtonsQt* tracks() const { return m_tracks; }
  QSlider* seekSlider() const;

signals:
  void playPauseClicked();
  void stopClicked();
  void previousClicked();
  void nextClicked();
  void seekRequested(double seconds);
  void scrubRequested(double seconds); // the handle dragged, not yet let go
  void muteClicked();
  void volumeRequested(int volume);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  QToolButton* addButton(const QIcon& icon, const QString& tip, void (ControlBarQt::*clicked)());
  void showTimes(double position, double duration);
  int textRoom(const QString& text) const;
  void layOutControls();

  SeekSliderQt* m_seek;
  QSlider* m_volume;
  QLabel* m_time;
  QToolButton* m_playPause;
  QToolButton* m_stop;
  QToolButton* m_previous;
  QToolButton* m_next;
  QToolButton* m_mute;
  TrackButtonsQt* m_tracks;
  double m_duration = 0;
  bool m_muted = false;
  // The time as it reads: the position, then " / " and the duration.
  QString m_position;
  QString m_total;
  // The room each part takes, kept while the clock's digits stay as many.
  int m_positionRoom = 0;
  int m_totalRoom = 0;
  bool m_totalShown = true;
};

#pragma once

#include "core/twips.h"

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;
class TrackButtonsQt;

// The transport bar below the picture: 970 twips (65 px) high. It only shows
// and asks; the engine decides and tells it what is true.
class ControlBarQt : public QWidget {
  Q_OBJECT
public:
  static constexpr int Height = ControlBarPixels;

  explicit ControlBarQt(QWidget* parent);

  void setPlaying(bool playing);
  void setTimes(double position, double duration); // seconds; duration 0 = unknown
  void setVolume(int volume);
  void setMuted(bool muted);
  TrackButtonsQt* tracks() const { return m_tracks; }

signals:
  void playPauseClicked();
  void stopClicked();
  void previousClicked();
  void nextClicked();
  void seekRequested(double seconds);
  void muteClicked();
  void volumeRequested(int volume);

private:
  QToolButton* addButton(const QIcon& icon, void (ControlBarQt::*clicked)());
  void showTimes(double position, double duration);

  QSlider* m_seek;
  QSlider* m_volume;
  QLabel* m_time;
  QToolButton* m_playPause;
  QToolButton* m_mute;
  TrackButtonsQt* m_tracks;
  double m_duration = 0;
  bool m_muted = false;
};

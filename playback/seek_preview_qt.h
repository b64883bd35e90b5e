#pragma once

#include <QObject>
#include <QElapsedTimer>
#include <QTimer>

class MediaEngine;
class PlayerViewQt;
class PreviewCoreMpv;
class SeekPopupQt;

// The preview above the seek bar: while the pointer rests on the bar, the
// time and chapter under it and, for a local video, its picture there, made
// by a core of its own that comes with the first hover and stays.
class SeekPreviewQt : public QObject {
  Q_OBJECT
public:
  SeekPreviewQt(MediaEngine& engine, PlayerViewQt* view);
  ~SeekPreviewQt() override;

signals:
  // The preview stands over the picture, and moves with the pointer.
  void shownChanged(bool shown);

private:
  void hovered(double seconds, int x);
  void left();
  // The picture under the pointer: a keyframe's while it moves, the exact one once it rests.
  void askForPicture(bool exact);

  MediaEngine& m_engine;
  PlayerViewQt* m_view;
  SeekPopupQt* m_popup = nullptr;
  PreviewCoreMpv* m_core = nullptr;
  QTimer m_rest; // the pointer has rested: the exact picture
  QTimer m_pace; // a moving pointer's next picture, no sooner than PaceMs after the last
  QElapsedTimer m_sinceAsked;
  double m_seconds = 0;
  int m_x = 0;
  QString m_unopened; // the file the preview core could not open: no pictures of it
};

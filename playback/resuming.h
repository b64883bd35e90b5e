#pragma once

#include "core/track.h"
#include "playback/resume_points.h"

#include <QObject>
#include <QString>
#include <QTimer>

class MediaEngine;

// A video starts where it was left, whichever way it is opened: the engine
// tells when an item is loaded and left, and this keeps its position in the
// store and puts it back. Home starts it over (PlayerActions). The audio
// track, subtitle track and subtitle delay a person chose for an item come
// back with it too.
class Resuming : public QObject {
  Q_OBJECT
public:
  // How often the position of a playing video is kept, so that a crash loses
  // little; a paused one is not written again.
  static constexpr int CheckpointMs = 30'000;
  static constexpr int NoteMs = 4000;

  Resuming(MediaEngine& player, const QString& storePath);
  // The window closes: the item is left where it is.
  ~Resuming() override;

  // A person chose for the loaded item.
  void trackChosen(Track::Kind kind, int id);
  void subtitleDelayChosen(double seconds);

private:
  void restoreTracks();

  void loaded(const QString& source, double duration, bool fromStart);
  void left(const QString& source, double position, double duration, bool ended);
  void keep();
  bool isVideo() const;

  MediaEngine& m_player;
  ResumePoints m_points;
  QTimer m_checkpoint;
  QString m_key; // the loaded item's
  double m_duration = 0;
  ItemChoices m_tracksToRestore; // until the item's tracks are known
};

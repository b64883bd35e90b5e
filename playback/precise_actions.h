#pragma once

#include "playback/screenshots.h"

#include <QObject>

class MediaEngine;

// The keys for close work: screenshots, the A-B loop, single frames, the
// subtitles' timing and the card of keys. Each shows a note in the picture.
class PreciseActions : public QObject {
  Q_OBJECT
public:
  // What z and x move the subtitles by, and how far they go either way.
  static constexpr double SubtitleStep = 0.1;
  static constexpr double LongestSubtitleDelay = 600;

  // `screenshotFolder` as Screenshots takes it.
  explicit PreciseActions(MediaEngine& player, const QString& screenshotFolder = {});

  void screenshot(bool withSubtitles) { m_screenshots.take(withSubtitles); }
  // A, then B (the loop runs), then no loop.
  void loopPoint();
  void stepFrame(bool forward);
  void moveSubtitles(double seconds);
  void resetSubtitleDelay();
  void showKeyCard();

signals:
  // A person set the current item's subtitle delay.
  void subtitleDelayChosen(double seconds);

private:
  bool hasOpenItem() const;
  void setSubtitleDelay(double seconds);

  MediaEngine& m_player;
  Screenshots m_screenshots;
  bool m_forward = true; // the last frame step's way, for its note
};

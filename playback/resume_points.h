#pragma once

#include "core/resume_store.h"
#include <QString>
#include <future>
#include <optional>

// A video left before its end starts where it was left the next time it is
// opened, and every item with the tracks and subtitle delay chosen for it.
// Only videos longer than five minutes count, and only positions outside
// their first and last minute: one there is forgotten, as is the position
// of a video played to its end.
class ResumePoints {
public:
  static constexpr double ShortestItem = 5 * 60;
  static constexpr double Margin = 60;

  // The store is read on a thread of its own, away from the first frame.
  explicit ResumePoints(const QString& storePath);

  // What an item is kept under: the canonical absolute path of a local file,
  // whichever way it was named, and the text of an address.
  static QString keyOf(const QString& source);
  // "从 12:34 继续播放".
  static QString noteFor(double seconds);

  // Where the item starts, or nothing for its beginning.
  std::optional<double> startOf(const QString& key, double duration);
  // The item was left (stopped, replaced, the window closed) or is still
  // playing at `position`, which is kept from now on.
  void leftAt(const QString& key, double position, double duration, bool isVideo);
  void ended(const QString& key);

  // What was chosen for the item, kept with its position at the next write.
  ItemChoices choicesOf(const QString& key) { return store().choices(key); }
  void chose(const QString& key, const ItemChoices& choices) { store().choose(key, choices); }

private:
  static bool isWorthKeeping(double position, double duration);
  ResumeStore& store();
  void save();

  ResumeStore m_store;
  std::future<void> m_loading; // after the store: it goes first, waiting for the read

  bool m_failureTold = false;
  bool m_readProblemTold = false;
};

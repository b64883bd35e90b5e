#pragma once

#include <QVector>

// A mark on the seek bar at a time of the item: where a chapter begins, or
// an end of the A-B loop.
struct BarMark {
  enum class Kind { Chapter, LoopStart, LoopEnd };
  double seconds = 0;
  Kind kind = Kind::Chapter;
};

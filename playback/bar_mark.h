#pragma once

#include <QVector>

// A mark on the seek bar at a time of the item, drawn as its kind says (an
// end of the A-B loop, a chapter's start).
struct BarMark {
  enum class Kind { LoopStart, LoopEnd, Chapter };
  double seconds = 0;
  Kind kind = Kind::LoopStart;
};

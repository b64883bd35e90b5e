#pragma once

#include <QVector>

// One control in a row of the control bar. A control keeps its width: it
// shows whole or not at all.
struct BarControl {
  int width = 0; // 0: nothing to show, it takes no room
  int gap = 0;   // room between it and the control shown before it on its side
  int rank = 0;  // when the row is too narrow, the lowest rank gives way first
};

// The left edge of each control in a row `width` wide, or -1 where it does not
// show. Controls before `rightFrom` are packed against the left edge, the rest
// against the right edge, at least `middleGap` apart. Controls of one rank
// give way together.
QVector<int> layOutBarRow(const QVector<BarControl>& controls, qsizetype rightFrom, int middleGap,
                          int width);

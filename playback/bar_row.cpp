#include "playback/bar_row.h"

#include <algorithm>

namespace {

// The room the shown controls of [first, last) take, gaps between them included.
int sideRoom(const QVector<BarControl>& controls, const QVector<bool>& shown, qsizetype first,
             qsizetype last)
{
  int room = 0;
  bool any = false;
  for (qsizetype i = first; i < last; ++i) {
    if (!shown[i])
      continue;
    room += controls[i].width + (any ? controls[i].gap : 0);
    any = true;
  }
  return room;
}

// Places the shown controls of [first, last) from `x` on.
void place(const QVector<BarControl>& controls, const QVector<bool>& shown, qsizetype first,
           qsizetype last, int x, QVector<int>& left)
{
  bool any = false;
  for (qsizetype i = first; i < last; ++i) {
    if (!shown[i])
      continue;
    x += any ? controls[i].gap : 0;
    left[i] = x;
    x += controls[i].width;
    any = true;
  }
}

} // namespace

QVector<int> layOutBarRow(const QVector<BarControl>& controls, qsizetype rightFrom, int middleGap,
                          int width)
{
  const qsizetype count = controls.size();
  rightFrom = std::clamp<qsizetype>(rightFrom, 0, count);
  QVector<bool> shown(count);
  for (qsizetype i = 0; i < count; ++i)
    shown[i] = controls[i].width > 0;
  const auto roomNeeded = [&](int& leftRoom, int& rightRoom) {
    leftRoom = sideRoom(controls, shown, 0, rightFrom);
    rightRoom = sideRoom(controls, shown, rightFrom, count);
    return leftRoom + rightRoom + (leftRoom > 0 && rightRoom > 0 ? middleGap : 0);
  };
  int leftRoom = 0;
  int rightRoom = 0;
  while (roomNeeded(leftRoom, rightRoom) > width) {
    int lowest = 0;
    bool any = false;
    for (qsizetype i = 0; i < count; ++i) {
      if (shown[i] && (!any || controls[i].rank < lowest))
        lowest = controls[i].rank;
      any = any || shown[i];
    }
    if (!any)
      break;
    for (qsizetype i = 0; i < count; ++i)
      shown[i] = shown[i] && controls[i].rank != lowest;
  }
  QVector<int> left(count, -1);
  place(controls, shown, 0, rightFrom, 0, left);
  place(controls, shown, rightFrom, count, width - rightRoom, left);
  return left;
}

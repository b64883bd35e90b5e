#pragma once

#include <Qt>

// The shift state of a key press or a click, as the window's handlers take
// it: 1 Shift, 2 Ctrl, 4 Alt.
inline int shiftStateOf(Qt::KeyboardModifiers modifiers)
{
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

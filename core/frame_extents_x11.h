#pragma once

#include <QMargins>

class QWidget;

// Asks the window manager how wide the frame of `window` will be, before the
// window is first mapped (_NET_REQUEST_FRAME_EXTENTS), so that the outer size
// of a window that was never shown is known. Zero margins when there is no X
// server, no window manager or no answer within a short wait.
QMargins requestFrameExtents(QWidget* window);

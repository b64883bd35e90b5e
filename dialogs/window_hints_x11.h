#pragma once

class QWidget;

// Asks the window manager to leave `window` out of the taskbar
// (_NET_WM_STATE_SKIP_TASKBAR). Call it before the window is first shown;
// without an X server it does nothing.
void skipTaskbar(QWidget* window);

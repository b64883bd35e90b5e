#pragma once

#include <QProcessEnvironment>

// Whether the program runs under a tiling window manager. Such a manager sizes
// every window to its tile, and some report the tile as maximised (sway does
// for X11 windows), which is no maximise a person asked for. Told by what the
// manager sets for the programs it starts, or by the session's desktop names.
bool tilingDesktop(const QProcessEnvironment& environment);

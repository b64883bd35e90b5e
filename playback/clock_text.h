#pragma once

#include <QString>

// A time as the control bar and the resume note show it: 3:20, or 1:02:03
// from an hour on; whole seconds, rounded; nothing below 0:00.
QString clockText(double seconds);

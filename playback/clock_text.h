#pragma once

#include <QString>

// A time as the player shows it everywhere (the control bar, the notes, the
// resume note): 3:20, or 1:02:03 from an hour on; whole seconds reached, so
// the clock turns when a second is complete; nothing below 0:00.
QString clockText(double seconds);

// The same with milliseconds, for a single frame: 3:20.040, 1:02:03.500.
QString preciseClockText(double seconds);

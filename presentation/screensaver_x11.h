#pragma once

// Resets the X server's own screen saver and power-saving timer, as an input
// event would. Does nothing when the application does not run on X11.
void resetX11ScreenSaver();

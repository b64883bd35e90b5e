#pragma once

class QWindow;

// While a window of ours moves over `window` (the seek bar's preview over the
// picture), the X server keeps what `window` shows and puts it back where it
// is uncovered, instead of asking for it to be drawn again: for the picture
// that is a whole frame scaled and converted by the GL renderer at every move
// of the pointer. Nothing off X, where the compositor keeps it anyway.
void keepContents(QWindow* window, bool keep);

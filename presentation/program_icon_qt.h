#pragma once

#include <QIcon>

// The program's own icon, drawn for this project: rendered images at the
// sizes windows and the hicolor theme use, the SVG for any other size.
QPixmap programIconPixmap(int size);

// Every rendered size: the icon of the application and its dialogs.
QIcon programIcon();

// A window's icon with the big image at size × size pixels beside the 16 px
// image of its title bar.
QIcon programBigIcon(int size);

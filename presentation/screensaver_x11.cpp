#include "presentation/screensaver_x11.h"

#include <QGuiApplication>
#include <X11/Xlib.h>

void resetX11ScreenSaver()
{
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display())
    return;
  XResetScreenSaver(x11->display());
  XFlush(x11->display());
}

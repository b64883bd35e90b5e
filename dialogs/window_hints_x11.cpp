#include "dialogs/window_hints_x11.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
  const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return result;
}

} // namespace

void skipTaskbar(QWidget* window)
{
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11)
    return;
  xcb_connection_t* c = x11->connection();
  const xcb_atom_t skip = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
  if (skip == XCB_ATOM_NONE)
    return;
  // On an unmapped window the state is a plain property; Qt keeps the states
  // it does not manage itself when it maps the window.
  xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()),
                      atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &skip);
  xcb_flush(c);
}

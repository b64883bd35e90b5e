#include "dialogs/window_hints_x11.h"

#include "core/xcb_connection_x11.h"
#include <QWidget>

void skipTaskbar(QWidget* window)
{
  xcb_connection_t* c = qtXcbConnection();
  if (!c)
    return;
  const xcb_atom_t skip = internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR");
  if (skip == XCB_ATOM_NONE)
    return;
  // On an unmapped window the state is a plain property; Qt keeps the states
  // it does not manage itself when it maps the window.
  xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()),
                      internAtom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &skip);
  xcb_flush(c);
}

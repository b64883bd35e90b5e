#include "playback/backing_store_x11.h"

#include "core/xcb_connection_x11.h"
#include <QWindow>

void keepContents(QWindow* window, bool keep)
{
  xcb_connection_t* c = qtXcbConnection();
  if (!c || !window->handle())
    return;
  // Kept only while asked: a window with a store of its own costs the server
  // a copy of every frame.
  const uint32_t store = keep ? XCB_BACKING_STORE_WHEN_MAPPED : XCB_BACKING_STORE_NOT_USEFUL;
  xcb_change_window_attributes(c, xcb_window_t(window->winId()), XCB_CW_BACKING_STORE, &store);
  xcb_flush(c);
}

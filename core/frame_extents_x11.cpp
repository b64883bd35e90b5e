#include "core/frame_extents_x11.h"

#include "core/xcb_connection_x11.h"
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <cstdlib>

namespace {

// The window manager's list of supported hints holds `wanted`.
bool wmSupports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t wanted)
{
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, internAtom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr);
  bool found = false;
  if (reply && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    for (int i = 0; i < count && !found; ++i)
      found = atoms[i] == wanted;
  }
  free(reply);
  return found;
}

bool readExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents, QMargins* margins)
{
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr);
  const bool ok = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
  if (ok) {
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    *margins = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3])); // left, right, top, bottom
  }
  free(reply);
  return ok;
}

} // namespace

QMargins requestFrameExtents(QWidget* window)
{
  xcb_connection_t* c = qtXcbConnection();
  if (!c)
    return {};
  const xcb_window_t id = xcb_window_t(window->winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t request = internAtom(c, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = internAtom(c, "_NET_FRAME_EXTENTS");
  if (!wmSupports(c, root, request))
    return {};

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = request;
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);

  // The answer is a property on our window; poll for it briefly rather than
  // steal events from Qt's own connection.
  QMargins margins;
  QElapsedTimer waited;
  waited.start();
  while (!readExtents(c, id, extents, &margins) && waited.elapsed() < 200)
    QThread::usleep(1000);
  return margins;
}

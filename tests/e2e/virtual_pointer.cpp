// Gives the seat of a headless Wayland compositor a pointer, which it has no
// device for: a virtual one (zwlr_virtual_pointer_v1) that lives as long as the
// compositor. The compositor's own commands then move and press it
// (swaymsg seat - cursor set X Y / press button3).
#include <cstring>
#include <wayland-client.h>

namespace {

const wl_interface pointerInterface = {"zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr};
const wl_interface* createTypes[] = {&wl_seat_interface, &pointerInterface};
const wl_message managerRequests[] = {{"create_virtual_pointer", "?on", createTypes}};
const wl_interface managerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 1, managerRequests,
                                       0, nullptr};

struct Globals {
  wl_seat* seat = nullptr;
  wl_proxy* manager = nullptr;
};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
  auto* globals = static_cast<Globals*>(data);
  if (!std::strcmp(interface, wl_seat_interface.name))
    globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  else if (!std::strcmp(interface, managerInterface.name))
    globals->manager =
        static_cast<wl_proxy*>(wl_registry_bind(registry, name, &managerInterface, 1));
}

void globalRemove(void*, wl_registry*, uint32_t) {}

} // namespace

int main()
{
  wl_display* display = wl_display_connect(nullptr);
  if (!display)
    return 1;
  Globals globals;
  const wl_registry_listener listener{global, globalRemove};
  wl_registry_add_listener(wl_display_get_registry(display), &listener, &globals);
  wl_display_roundtrip(display);
  if (!globals.seat || !globals.manager)
    return 1;
  wl_proxy_marshal_constructor(globals.manager, 0, &pointerInterface, globals.seat, nullptr);
  while (wl_display_dispatch(display) != -1) {
  }
  return 0;
}

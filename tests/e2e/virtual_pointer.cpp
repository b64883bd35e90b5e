// Gives the seat of a headless Wayland compositor a pointer, which it has no
// device for: a virtual one (zwlr_virtual_pointer_v1) for as long as the
// compositor runs. Its own commands move and press it (swaymsg seat - cursor).
#include <cstring>
#include <initializer_list>
#include <wayland-client.h>

static const wl_interface pointer = {"zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr};
static const wl_interface* createTypes[] = {&wl_seat_interface, &pointer};
static const wl_message create = {"create_virtual_pointer", "?on", createTypes};
static const wl_interface manager = {"zwlr_virtual_pointer_manager_v1", 1, 1, &create, 0, nullptr};
static void* bound[2]; // the seat, the manager

static void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
  for (const wl_interface* wanted : {&wl_seat_interface, &manager})
    if (!std::strcmp(interface, wanted->name))
      bound[wanted == &manager] = wl_registry_bind(registry, name, wanted, 1);
}

int main()
{
  wl_display* display = wl_display_connect(nullptr);
  const wl_registry_listener listener{global, [](void*, wl_registry*, uint32_t) {}};
  if (!display || wl_registry_add_listener(wl_display_get_registry(display), &listener, nullptr) ||
      wl_display_roundtrip(display) < 0 || !bound[0] || !bound[1])
    return 1;
  wl_proxy_marshal_constructor(static_cast<wl_proxy*>(bound[1]), 0, &pointer, bound[0], nullptr);
  while (wl_display_dispatch(display) != -1) {
  }
}

#pragma once

#include "core/media_engine.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;

// What the desktop's media widgets show of the item beyond what the engine
// follows itself: its place in the list. It follows the core on a client of
// its own, on its own thread; `changed` is called on that thread whenever it
// changes.
class ItemDetailsMpv {
public:
  ItemDetailsMpv(mpv_handle* core, std::function<void()> changed);
  ~ItemDetailsMpv();
  ItemDetailsMpv(const ItemDetailsMpv&) = delete;
  ItemDetailsMpv& operator=(const ItemDetailsMpv&) = delete;

  ListPlace listPlace() const;

private:
  void run();
  void take(const mpv_event& event);
  void placeChanged(uint64_t id, const mpv_event_property& change);

  mpv_handle* m_client;
  std::function<void()> m_changed;
  std::atomic_bool m_stopping{false};

  mutable std::mutex m_shared; // what the GUI thread reads
  ListPlace m_place;

  std::thread m_thread; // last: it starts once all the above is there
};

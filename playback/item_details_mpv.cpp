#include "playback/item_details_mpv.h"

#include <mpv/client.h>

namespace {

enum Observed : uint64_t { PlaylistPos = 1, PlaylistCount };

} // namespace

ItemDetailsMpv::ItemDetailsMpv(mpv_handle* core, std::function<void()> changed)
    : m_client(mpv_create_client(core, "item-details")), m_changed(std::move(changed))
{
  mpv_observe_property(m_client, PlaylistPos, "playlist-pos", MPV_FORMAT_INT64);
  mpv_observe_property(m_client, PlaylistCount, "playlist-count", MPV_FORMAT_INT64);
  m_thread = std::thread([this] { run(); });
}

ItemDetailsMpv::~ItemDetailsMpv()
{
  m_stopping = true;
  mpv_wakeup(m_client);
  m_thread.join();
  mpv_destroy(m_client);
}

ListPlace ItemDetailsMpv::listPlace() const
{
  const std::lock_guard lock(m_shared);
  return m_place;
}

void ItemDetailsMpv::run()
{
  while (!m_stopping) {
    const mpv_event* event = mpv_wait_event(m_client, -1);
    if (event->event_id == MPV_EVENT_SHUTDOWN)
      return;
    take(*event);
  }
}

void ItemDetailsMpv::take(const mpv_event& event)
{
  switch (event.event_id) {
  case MPV_EVENT_PROPERTY_CHANGE:
    placeChanged(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data));
    break;
  default:
    break;
  }
}

void ItemDetailsMpv::placeChanged(uint64_t id, const mpv_event_property& change)
{
  // Without a list neither is available.
  const bool has = change.format == MPV_FORMAT_INT64 && change.data;
  const int value = has ? int(*static_cast<const int64_t*>(change.data)) : -1;
  {
    const std::lock_guard lock(m_shared);
    if (id == PlaylistPos)
      m_place.position = value;
    else
      m_place.length = std::max(value, 0);
  }
  m_changed();
}

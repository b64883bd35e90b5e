#include "playback/load_hook_mpv.h"

#include "core/file_name_bytes.h"
#include <mpv/client.h>

LoadHookMpv::LoadHookMpv(mpv_handle* core, const char* name, Loading loading, Other other)
    : m_client(mpv_create_client(core, name)), m_loading(std::move(loading)),
      m_other(std::move(other))
{
  mpv_hook_add(m_client, 0, "on_load", 0);
  m_thread = std::thread([this] { run(); });
}

LoadHookMpv::~LoadHookMpv()
{
  m_stopping = true;
  mpv_wakeup(m_client);
  m_thread.join();
  mpv_destroy(m_client);
}

void LoadHookMpv::run()
{
  while (!m_stopping) {
    const mpv_event* event = mpv_wait_event(m_client, -1);
    if (event->event_id == MPV_EVENT_SHUTDOWN)
      return;
    if (event->event_id != MPV_EVENT_HOOK) {
      if (m_other)
        m_other(*event);
      continue;
    }
    char* source = mpv_get_property_string(m_client, "stream-open-filename");
    m_loading(m_client, decodeFileName(source ? source : ""));
    mpv_free(source);
    mpv_hook_continue(m_client, static_cast<const mpv_event_hook*>(event->data)->id);
  }
}

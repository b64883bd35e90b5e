#include "playback/list_guard_mpv.h"

#include "core/file_name_bytes.h"

#include <mpv/client.h>

namespace {
// A source no protocol opens: the entry fails and the list goes on.
constexpr const char* RefusedSource = "kelvarino-refused:";
} // namespace

ListGuardMpv::ListGuardMpv(mpv_handle* core, Refused refused)
    : m_client(mpv_create_client(core, "list-guard")), m_refused(std::move(refused))
{
  mpv_hook_add(m_client, 0, "on_load", 0);
  m_thread = std::thread([this] { run(); });
}

ListGuardMpv::~ListGuardMpv()
{
  m_stopping = true;
  mpv_wakeup(m_client);
  m_thread.join();
  // A load still waiting for the hook goes on once the client is gone.
  mpv_destroy(m_client);
}

void ListGuardMpv::run()
{
  while (!m_stopping) {
    const mpv_event* event = mpv_wait_event(m_client, -1);
    switch (event->event_id) {
    case MPV_EVENT_SHUTDOWN:
      return;
    case MPV_EVENT_START_FILE:
      m_lineage.started(static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id);
      break;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event->data);
      if (end->reason == MPV_END_FILE_REASON_REDIRECT)
        m_lineage.expanded(end->playlist_entry_id, end->playlist_insert_id,
                           end->playlist_insert_num_entries);
      break;
    }
    case MPV_EVENT_HOOK: {
      // The core waits for the answer, so asking it now is quick.
      const auto* hook = static_cast<const mpv_event_hook*>(event->data);
      char* source = mpv_get_property_string(m_client, "stream-open-filename");
      const QString text = decodeFileName(source ? source : "");
      mpv_free(source);
      const ListLineage::Verdict verdict = m_lineage.loading(text);
      if (verdict != ListLineage::Verdict::Load) {
        mpv_set_property_string(m_client, "stream-open-filename", RefusedSource);
        m_refused(text, verdict);
      } else if (ListLineage::isNeitherFileNorFolder(text)) {
        // The load fails instead, and the failure line names the source.
        mpv_set_property_string(m_client, "stream-open-filename", RefusedSource);
      }
      mpv_hook_continue(m_client, hook->id);
      break;
    }
    default:
      break;
    }
  }
}

#include "playback/list_guard_mpv.h"

#include <mpv/client.h>

namespace {
// A source no protocol opens: the entry fails and the list goes on.
constexpr const char* RefusedSource = "kelvarino-refused:";
} // namespace

ListGuardMpv::ListGuardMpv(mpv_handle* core, Refused refused)
    : m_refused(std::move(refused)),
      m_hook(core, "list-guard",
             [this](mpv_handle* client, const QString& source) { loading(client, source); },
             [this](const mpv_event& event) { take(event); })
{
}

void ListGuardMpv::take(const mpv_event& event)
{
  if (event.event_id == MPV_EVENT_START_FILE) {
    m_lineage.started(static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id);
  } else if (event.event_id == MPV_EVENT_END_FILE) {
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (end->reason == MPV_END_FILE_REASON_REDIRECT)
      m_lineage.expanded(end->playlist_entry_id, end->playlist_insert_id,
                         end->playlist_insert_num_entries);
  }
}

void ListGuardMpv::loading(mpv_handle* client, const QString& source)
{
  const ListLineage::Verdict verdict = m_lineage.loading(source);
  if (verdict != ListLineage::Verdict::Load) {
    mpv_set_property_string(client, "stream-open-filename", RefusedSource);
    m_refused(source, verdict);
  } else if (ListLineage::isNeitherFileNorFolder(source)) {
    // The load fails instead, and the failure line names the source.
    mpv_set_property_string(client, "stream-open-filename", RefusedSource);
  }
}

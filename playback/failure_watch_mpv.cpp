#include "playback/failure_watch_mpv.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include "playback/mpv_session_mpv.h"
#include "playback/node_mpv.h"
#include <mpv/client.h>

namespace {

ItemFailure::Cause causeOf(int error)
{
  using enum ItemFailure::Cause;
  switch (error) {
  case MPV_ERROR_LOADING_FAILED: return LoadingFailed;
  case MPV_ERROR_UNKNOWN_FORMAT:
  case MPV_ERROR_UNSUPPORTED: return UnknownFormat;
  case MPV_ERROR_NOTHING_TO_PLAY: return NothingToPlay;
  case MPV_ERROR_AO_INIT_FAILED:
  case MPV_ERROR_VO_INIT_FAILED: return OutputFailed;
  default: return Other;
  }
}

// The entry's file name in the play list, as the core holds it.
QString entryName(const mpv_node* playlist, int64_t entry)
{
  if (!playlist || playlist->format != MPV_FORMAT_NODE_ARRAY)
    return {};
  for (int i = 0; i < playlist->u.list->num; ++i) {
    const mpv_node& item = playlist->u.list->values[i];
    const mpv_node* filename = nodeField(item, "filename");
    if (nodeField(item, "id") && nodeInt(item, "id") == entry && filename
        && filename->format == MPV_FORMAT_STRING)
      return decodeFileName(filename->u.string);
  }
  return {};
}

} // namespace

FailureWatchMpv::FailureWatchMpv(MpvSession& session, int networkTimeoutSeconds, Failed onFailure)
    : m_session(session), m_timeoutMs(networkTimeoutSeconds * 1000), m_failed(std::move(onFailure))
{
  session.on(MPV_EVENT_START_FILE, [this](const mpv_event&) {
    m_expandedList = -1;
    m_fileLoaded = false;
    m_sinceStartFile.start();
  });
  session.on(MPV_EVENT_FILE_LOADED, [this](const mpv_event&) { m_fileLoaded = true; });
  session.on(MPV_EVENT_END_FILE, [this](const mpv_event& event) {
    const auto& end = *static_cast<const mpv_event_end_file*>(event.data);
    ended(end.reason, end.error, end.playlist_entry_id);
  });
  // A list that expanded into nothing ends without a failure of its own.
  session.observe("idle-active", MPV_FORMAT_FLAG, [this](const mpv_event_property& idle) {
    if (m_expandedList >= 0 && idle.format == MPV_FORMAT_FLAG && *static_cast<int*>(idle.data))
      failed(std::exchange(m_expandedList, -1), ItemFailure::Cause::UnknownFormat);
  });
  session.observe("seekable", MPV_FORMAT_FLAG, [this](const mpv_event_property& seekable) {
    m_seekable = seekable.format == MPV_FORMAT_FLAG && *static_cast<int*>(seekable.data);
  });
  // Warnings carry what a server answered ("http: HTTP error 404 Not Found").
  session.onLog("warn", [this](const QString& part, const QString& line) {
    m_serverLog.read(part, line);
  });
  QObject::connect(&session, &MpvSession::drained, [this] { tell(); });
  session.set("network-timeout", double(networkTimeoutSeconds));
}

void FailureWatchMpv::urlSet(const QString& url)
{
  m_url = url;
  m_refusedLists.clear();
}

void FailureWatchMpv::refused(const QString& list, ItemFailure::Cause why)
{
  if (m_refusedLists.contains(list))
    return;
  m_refusedLists.insert(list);
  ItemFailure failure;
  failure.cause = why;
  m_failed(list, failure);
}

void FailureWatchMpv::ended(int reason, int error, int64_t entry)
{
  if (reason == MPV_END_FILE_REASON_ERROR)
    failed(entry, causeOf(error));
  else if (reason == MPV_END_FILE_REASON_REDIRECT)
    m_expandedList = entry;
}

void FailureWatchMpv::failed(int64_t entry, ItemFailure::Cause cause)
{
  ItemFailure failure;
  failure.cause = cause;
  // Read errors are not logged: a server that went silent is told by the
  // time the core waited for it before anything was loaded.
  failure.network.noAnswer = !m_fileLoaded && m_sinceStartFile.isValid()
                             && m_sinceStartFile.elapsed() >= m_timeoutMs - 1000;
  // An index at the file's end cannot be reached through a server that sends
  // the file only from its start.
  failure.network.cannotSeek = cause == ItemFailure::Cause::NothingToPlay && m_fileLoaded && !m_seekable;
  m_session.get("playlist", MPV_FORMAT_NODE, [this, entry, failure](const mpv_event_property* list) {
    QString source = entryName(list ? static_cast<const mpv_node*>(list->data) : nullptr, entry);
    // An expanded list has left the play list: it was the URL set.
    if (source.isEmpty())
      source = m_url;
    // A refused list fails, and may leave its list empty: it was told already.
    if (!m_refusedLists.contains(source))
      m_named.push_back({source, failure});
  });
}

void FailureWatchMpv::tell()
{
  for (auto& [source, failure] : std::exchange(m_named, {})) {
    const ItemFailure::Network said = m_serverLog.take(WebAddress::withLowerCaseScheme(source));
    failure.network.httpStatus = said.httpStatus;
    failure.network.hostUnknown = said.hostUnknown;
    failure.network.refused = said.refused;
    m_failed(source, failure);
  }
}

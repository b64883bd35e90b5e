// The line over the picture that says why an item cannot be opened or
// played, or that it is still being opened. The engine tells a failure with
// the item's number in its list; the list then gives the item's name.
#include "playback/engine_mpv.h"

#include "core/display_name.h"
#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include "playback/node_mpv.h"
#include "playback/video_window_mpv.h"
#include <mpv/client.h>

namespace {

// Apart from the engine's other requests (engine_mpv.cpp).
constexpr uint64_t FailureNameReply = 200;

PlaybackFailure::Cause causeOf(int error)
{
  using enum PlaybackFailure::Cause;
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
QString entryName(const mpv_node& playlist, int64_t entry)
{
  if (playlist.format != MPV_FORMAT_NODE_ARRAY)
    return {};
  for (int i = 0; i < playlist.u.list->num; ++i) {
    const mpv_node& item = playlist.u.list->values[i];
    const mpv_node* filename = nodeField(item, "filename");
    if (nodeField(item, "id") && nodeInt(item, "id") == entry && filename
        && filename->format == MPV_FORMAT_STRING)
      return decodeFileName(filename->u.string);
  }
  return {};
}

} // namespace

void EngineMpv::setUpFailureLine()
{
  connect(this, &MediaEngine::PlayStateChange, &m_notice, &PictureNotice::playStateChanged);
  // Warnings carry what a server answered ("http: HTTP error 404 Not Found").
  mpv_request_log_messages(m_mpv, "warn");
  const QByteArray timeout = QByteArray::number(NetworkTimeoutSeconds);
  mpv_set_option_string(m_mpv, "network-timeout", timeout.constData());
}

void EngineMpv::watchForFailure(const mpv_event& event)
{
  switch (event.event_id) {
  case MPV_EVENT_START_FILE:
    m_expandedList = -1;
    m_sinceStartFile.start();
    break;
  case MPV_EVENT_LOG_MESSAGE: {
    // The log comes after the events, the end of the file it tells of included.
    const auto& message = *static_cast<const mpv_event_log_message*>(event.data);
    m_serverLog.read(QString::fromUtf8(message.prefix), QString::fromUtf8(message.text));
    break;
  }
  case MPV_EVENT_END_FILE: {
    const auto& end = *static_cast<const mpv_event_end_file*>(event.data);
    if (end.reason == MPV_END_FILE_REASON_ERROR)
      failed(end.playlist_entry_id, causeOf(end.error));
    else if (end.reason == MPV_END_FILE_REASON_REDIRECT)
      m_expandedList = end.playlist_entry_id;
    break;
  }
  case MPV_EVENT_PROPERTY_CHANGE: {
    // A list that expanded into nothing ends without a failure of its own.
    const auto& change = *static_cast<const mpv_event_property*>(event.data);
    if (event.reply_userdata == ObservedPropertiesMpv::IdleActive && m_expandedList >= 0
        && change.format == MPV_FORMAT_FLAG && *static_cast<const int*>(change.data))
      failed(std::exchange(m_expandedList, -1), PlaybackFailure::Cause::UnknownFormat);
    break;
  }
  case MPV_EVENT_GET_PROPERTY_REPLY:
    if (event.reply_userdata == FailureNameReply)
      nameFailure(*static_cast<const mpv_event_property*>(event.data));
    break;
  default:
    break;
  }
}

void EngineMpv::failed(int64_t entry, PlaybackFailure::Cause cause)
{
  PlaybackFailure::Network network;
  // Read errors are not logged: a server that went silent is told by the time
  // the core waited for it.
  if (!m_fileLoaded && m_sinceStartFile.isValid()
      && m_sinceStartFile.elapsed() >= (NetworkTimeoutSeconds - 1) * 1000)
    network.noAnswer = true;
  // An index at the file's end cannot be reached through a server that sends
  // the file only from its start.
  if (cause == PlaybackFailure::Cause::NothingToPlay && m_fileLoaded && !m_properties.seekable)
    network.cannotSeek = true;
  m_failures.push_back({entry, cause, network});
  mpv_get_property_async(m_mpv, FailureNameReply, "playlist", MPV_FORMAT_NODE);
}

void EngineMpv::nameFailure(const mpv_event_property& playlist)
{
  if (m_failures.empty())
    return;
  const Failure failure = m_failures.front();
  m_failures.pop_front();
  QString source;
  if (playlist.format == MPV_FORMAT_NODE)
    source = entryName(*static_cast<const mpv_node*>(playlist.data), failure.entry);
  // An expanded list has left the play list: it was the URL set.
  if (source.isEmpty())
    source = m_url;
  // A refused list fails, and may leave its list empty: the line already says why.
  if (m_refusedLists.contains(source))
    return;
  m_namedFailures.push_back({source, failure});
}

// After a pass over the queue, which reads the log to its end.
void EngineMpv::showFailures()
{
  for (const auto& [source, failure] : std::exchange(m_namedFailures, {})) {
    PlaybackFailure::Source what = PlaybackFailure::inspect(source);
    what.network = m_serverLog.take(WebAddress::withLowerCaseScheme(source));
    what.network.noAnswer = failure.network.noAnswer;
    what.network.cannotSeek = failure.network.cannotSeek;
    m_notice.failed(
        PlaybackFailure::line(displayName(source), PlaybackFailure::reason(failure.cause, what)));
    emit itemOpening(source);
  }
}

void EngineMpv::refuseList(const QString& list, ListLineage::Verdict why)
{
  if (m_refusedLists.contains(list))
    return;
  m_refusedLists.insert(list);
  const auto cause = why == ListLineage::Verdict::ListsItself
                         ? PlaybackFailure::Cause::ListsItself
                         : PlaybackFailure::Cause::NestedTooDeep;
  m_notice.failed(PlaybackFailure::line(displayName(list), PlaybackFailure::reason(cause, {})));
}

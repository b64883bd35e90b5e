#include "playback/engine_mpv.h"

#include "core/file_name_bytes.h"
#include "core/full_screen.h"
#include "core/milestone_trace.h"
#include "core/web_address.h"
#include "playback/cover_art_mpv.h"
#include "playback/engine_options_mpv.h"
#include "playback/failure_watch_mpv.h"
#include "playback/fine_controls_mpv.h"
#include "playback/list_guard_mpv.h"
#include "playback/mpv_session_mpv.h"
#include "playback/subtitle_files_mpv.h"
#include "playback/video_window_mpv.h"

#include <algorithm>
#include <mpv/client.h>

namespace {

EngineEvent endFileEvent(int reason)
{
  switch (reason) {
  case MPV_END_FILE_REASON_EOF: return EngineEvent::EndFileEof;
  case MPV_END_FILE_REASON_STOP: return EngineEvent::EndFileStop;
  case MPV_END_FILE_REASON_QUIT: return EngineEvent::EndFileQuit;
  case MPV_END_FILE_REASON_REDIRECT: return EngineEvent::EndFileRedirect;
  default: return EngineEvent::EndFileError;
  }
}

ItemFailure::Cause refusal(ListLineage::Verdict why)
{
  return why == ListLineage::Verdict::ListsItself ? ItemFailure::Cause::ListsItself
                                                  : ItemFailure::Cause::NestedTooDeep;
}

} // namespace

EngineMpv::EngineMpv(QObject* parent) : MediaEngine(parent)
{
  m_session = std::make_unique<MpvSession>(engineOptions());
  mpv_handle* core = m_session->handle();
  m_listGuard = std::make_unique<ListGuardMpv>(core, [this](const QString& list, ListLineage::Verdict why) {
    QMetaObject::invokeMethod(this, [this, list, why] { m_failures->refused(list, refusal(why)); },
                              Qt::QueuedConnection);
  });
  m_subtitleFiles = std::make_unique<SubtitleFilesMpv>(core);
  m_failures = std::make_unique<FailureWatchMpv>(
      *m_session, NetworkTimeoutSeconds,
      [this](const QString& source, const ItemFailure& failure) { emit itemFailed(source, failure); });
  m_coverArt = std::make_unique<CoverArtMpv>(*m_session, [this] { emit currentMediaChanged(); });
  m_fine = std::make_unique<FineControlsMpv>(
      *m_session,
      FineControlsMpv::Told{
          [this](const QString& path, bool saved) { emit screenshotSaved(path, saved); },
          [this] { emit loopChanged(); },
          [this](double position) { emit frameStepped(position); },
          [this](double seconds) { emit positionJumped(seconds); }});
  listen();

  m_video = new VideoWindowMpv(core);
  connect(m_video, &VideoWindowMpv::renderContextReady, this, &EngineMpv::onRenderContextReady);
  connect(m_video, &VideoWindowMpv::frameDrawn, this, &EngineMpv::onFrameDrawn);
  connect(m_video, &VideoWindowMpv::pressed, this,
          [this](int button, int shift, QPointF at) { emit MouseDown(button, shift, at.x(), at.y()); });
}

// The render context must go before the core, which waits for its clients:
// the picture outlives the engine in the window, without a context.
EngineMpv::~EngineMpv()
{
  if (m_video)
    m_video->freeRenderContext();
}

void EngineMpv::listen()
{
  MpvSession& s = *m_session;
  s.on(MPV_EVENT_START_FILE, [this](const mpv_event&) { started(); });
  s.on(MPV_EVENT_FILE_LOADED, [this](const mpv_event&) { loaded(); });
  s.on(MPV_EVENT_PLAYBACK_RESTART, [this](const mpv_event&) { restarted(); });
  s.on(MPV_EVENT_END_FILE, [this](const mpv_event& event) {
    ended(static_cast<const mpv_event_end_file*>(event.data)->reason);
  });
  m_properties.observe(s, [this](ObservedPropertiesMpv::Id id, bool media) { changed(id, media); });
  connect(&s, &MpvSession::drained, this, &EngineMpv::afterDrain);
}

void EngineMpv::started()
{
  ++m_file.number;
  m_file.active = true;
  m_file.loaded = false;
  m_file.restartAwaitingPicture = false;
  m_file.kept.reset();
  m_properties.lastPicture = {};
  m_batch.events.push_back(EngineEvent::StartFile);
  m_batch.mediaChanged = true;
}

void EngineMpv::loaded()
{
  if (std::exchange(m_due.fileLoaded, false))
    traceMilestone("file-loaded");
  m_file.loaded = true;
  askForLoadedItem();
  m_batch.events.push_back(EngineEvent::FileLoaded);
  m_batch.mediaChanged = true;
}

// The path and the duration are asked for when a file has loaded: the
// observed copies may still hold the item before. An answer for a file that
// was replaced before it came is dropped by the file's number.
void EngineMpv::askForLoadedItem()
{
  const uint32_t file = m_file.number;
  m_session->get("path", MPV_FORMAT_STRING, [this, file](const mpv_event_property* path) {
    if (file == m_file.number && path)
      m_file.source = sourceOf(decodeFileName(*static_cast<char* const*>(path->data)));
  });
  m_session->get("duration", MPV_FORMAT_DOUBLE, [this, file](const mpv_event_property* duration) {
    if (file != m_file.number || !duration || m_file.source.isEmpty())
      return;
    m_file.duration = *static_cast<const double*>(duration->data);
    emit itemLoaded(m_file.source, m_file.duration, file == m_file.fromStart);
  });
}

void EngineMpv::restarted()
{
  if (std::exchange(m_due.playbackRestart, false))
    traceMilestone("playback-restart");
  m_batch.events.push_back(EngineEvent::PlaybackRestart);
}

void EngineMpv::ended(int reason)
{
  // An item that was opened stays current after it stopped or ended, until
  // another is loaded; one that could not be opened never was current.
  if (m_file.loaded && hasItem()) {
    m_file.kept = loadedItem();
    if (m_properties.lastPicture.shown) {
      m_file.kept->imageSourceWidth = m_properties.lastPicture.width;
      m_file.kept->imageSourceHeight = m_properties.lastPicture.height;
    }
  }
  m_file.active = false;
  m_file.restartAwaitingPicture = false;
  if (!m_file.source.isEmpty() && reason != MPV_END_FILE_REASON_REDIRECT)
    emit itemLeft(std::exchange(m_file.source, {}), m_properties.lastTimePos, m_file.duration,
                  reason == MPV_END_FILE_REASON_EOF);
  m_properties.lastTimePos = 0;
  m_batch.events.push_back(endFileEvent(reason));
  m_batch.mediaChanged = true;
}

void EngineMpv::changed(ObservedPropertiesMpv::Id id, bool mediaChanged)
{
  using Id = ObservedPropertiesMpv::Id;
  switch (id) {
  case Id::Pause:
    m_batch.events.push_back(m_properties.paused ? EngineEvent::PauseOn : EngineEvent::PauseOff);
    break;
  case Id::PausedForCache:
    m_batch.events.push_back(m_properties.waitingForData ? EngineEvent::CacheWaitOn
                                                         : EngineEvent::CacheWaitOff);
    break;
  case Id::IdleActive:
    if (m_properties.idle)
      m_batch.events.push_back(EngineEvent::Idle);
    break;
  case Id::Path:
    m_batch.pathChanged = true;
    break;
  case Id::ChapterList: emit chaptersChanged(); break;
  case Id::TimePos:
    m_fine->positionChanged(m_properties.timePos);
    break;
  default:
    break;
  }
  m_batch.mediaChanged |= mediaChanged;
}

void EngineMpv::afterDrain()
{
  const Batch batch = std::exchange(m_batch, {});
  if (batch.pathChanged && m_file.active && !m_file.loaded && !m_properties.path.isEmpty())
    emit itemOpening(sourceOf(m_properties.path));
  for (auto event = batch.events.cbegin(); event != batch.events.cend(); ++event) {
    if (*event == EngineEvent::PlaybackRestart && !restartsPlayback(event, batch.events.cend()))
      continue;
    feed(*event);
  }
  if (m_file.restartAwaitingPicture && (!m_properties.hasPicture || m_properties.videoWidth > 0)) {
    m_file.restartAwaitingPicture = false;
    feed(EngineEvent::PlaybackRestart);
  }
  if (batch.mediaChanged)
    emit currentMediaChanged();
}

// An item that ended right after it started never played. A video plays once
// its picture's size is known, which the window is fitted to; one that fails
// before its first picture never counts as playing. The observed properties
// are those at the end of the pass over the queue.
bool EngineMpv::restartsPlayback(std::vector<EngineEvent>::const_iterator restart,
                                 std::vector<EngineEvent>::const_iterator end)
{
  const auto ends = [](EngineEvent e) {
    return e == EngineEvent::EndFileEof || e == EngineEvent::EndFileStop ||
           e == EngineEvent::EndFileError || e == EngineEvent::EndFileQuit;
  };
  if (std::any_of(restart + 1, end, ends))
    return false;
  if (m_properties.hasPicture && m_properties.videoWidth <= 0) {
    m_file.restartAwaitingPicture = true;
    return false;
  }
  return true;
}

void EngineMpv::feed(EngineEvent event)
{
  if (const std::optional<int> state = m_states.apply(event))
    emit PlayStateChange(*state);
}

void EngineMpv::onRenderContextReady()
{
  feed(EngineEvent::RenderContextReady);
  if (std::exchange(m_file.loadQueued, false))
    load();
}

void EngineMpv::onFrameDrawn()
{
  if (m_due.firstPicture && m_properties.voConfigured) {
    m_due.firstPicture = false;
    traceMilestone("first-frame");
    emit pictureShown();
  }
}

bool EngineMpv::hasItem() const
{
  return m_file.active && !m_properties.path.isEmpty();
}

// The URL as it was set, not as the core was given it.
QString EngineMpv::sourceOf(const QString& path) const
{
  return path == WebAddress::withLowerCaseScheme(m_url) ? m_url : path;
}

std::optional<MediaItem> EngineMpv::currentMedia() const
{
  if (!hasItem())
    return m_file.kept;
  return loadedItem();
}

MediaItem EngineMpv::loadedItem() const
{
  MediaItem item;
  item.sourceURL = sourceOf(m_properties.path);
  item.duration = m_properties.duration;
  if (m_properties.hasPicture) {
    item.imageSourceWidth = m_properties.videoWidth;
    item.imageSourceHeight = m_properties.videoHeight;
    item.highDynamicRange = m_properties.highDynamicRange;
  }
  item.author = m_properties.tag(QStringLiteral("artist"));
  if (item.author.isEmpty())
    item.author = m_properties.tag(QStringLiteral("author"));
  item.title = m_properties.tag(QStringLiteral("title"));
  item.album = m_properties.tag(QStringLiteral("album"));
  item.coverArtFile = m_coverArt->fileFor(m_properties.path);
  item.showsCoverArt = m_properties.showsVideoTrack && !m_properties.hasPicture;
  return item;
}

ListPlace EngineMpv::listPlace() const
{
  return {int(m_properties.playlistPos), int(m_properties.playlistCount)};
}

void EngineMpv::setFullScreen(bool on)
{
  // With nothing ever opened there is no picture to fill the screen with.
  if (!m_fullScreen || (on && m_url.isEmpty()))
    return;
  m_fullScreen->setPlayerFullScreen(on);
}

bool EngineMpv::fullScreen() const
{
  return m_fullScreen && m_fullScreen->playerFullScreen();
}

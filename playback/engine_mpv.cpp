#include "playback/engine_mpv.h"

#include "core/web_address.h"

#include "core/file_name_bytes.h"
#include "playback/audio_card_mpv.h"
#include "playback/control_bar_qt.h"
#include "playback/hardware_decoding.h"
#include "playback/list_guard_mpv.h"
#include "playback/picture_host_qt.h"
#include "core/milestone_trace.h"
#include "playback/player_view_qt.h"
#include "playback/resume_points.h"
#include "playback/subtitle_files_mpv.h"
#include "playback/video_window_mpv.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <mpv/client.h>

namespace {

// Replies to the asynchronous requests that the engine acts on.
enum Reply : uint64_t { Ignored = 0, LoadReply = 100, SeekReply, ShufflePositionReply };

// ALSA is asked only when the machine has a sound card: without one, the ALSA
// library prints its failure to find a card on the terminal, which reads as
// an error of ours.
bool hasSoundCard()
{
  std::error_code error;
  for (const auto& device : std::filesystem::directory_iterator("/dev/snd", error))
    if (device.path().filename().string().starts_with("pcmC"))
      return true;
  return false;
}

// Audio-only files must play on a machine without a sound device, hence the
// null output at the end. Tests may pin the output; users have no switch.
QByteArray audioOutputs()
{
  const QByteArray pinned = qgetenv("KELVARINO_MPV_AO");
  if (!pinned.isEmpty())
    return pinned;
  return hasSoundCard() ? QByteArrayLiteral("pulse,alsa,null") : QByteArrayLiteral("pulse,null");
}

// Requests go asynchronously: the GUI thread renders the video and must never
// wait for the player core (see ObservedPropertiesMpv).
void setFlag(mpv_handle* mpv, const char* name, bool on)
{
  int value = on;
  mpv_set_property_async(mpv, Ignored, name, MPV_FORMAT_FLAG, &value);
}

int command(mpv_handle* mpv, std::initializer_list<const char*> words, Reply reply = Ignored)
{
  std::vector<const char*> args(words);
  args.push_back(nullptr);
  return mpv_command_async(mpv, reply, args.data());
}

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


} // namespace

EngineMpv::EngineMpv(QObject* parent)
    : MediaEngine(parent), m_notice([this](const QString& line) { m_video->setMessage(line); })
{
  // mpv parses numbers with the C library and refuses to start otherwise.
  std::setlocale(LC_NUMERIC, "C");
  m_mpv = mpv_create();
  const QByteArray ao = audioOutputs();
  const HardwareDecoding hw = hardwareDecoding();
  const std::pair<const char*, const char*> options[] = {
      {"vo", "libmpv"}, {"ao", ao.constData()}, {"config", "no"}, {"terminal", "no"},
      {"idle", "yes"}, {"keep-open", "no"}, {"osc", "no"}, {"ytdl", "no"},
      {"input-default-bindings", "no"}, {"input-vo-keyboard", "no"}, {"load-scripts", "no"},
      {"load-stats-overlay", "no"}, {"load-osd-console", "no"}, {"load-auto-profiles", "no"},
      {"osd-level", "1"}, {"volume", "50"},
      {"hwdec", hw.hwdec.constData()}, {"gpu-hwdec-interop", hw.interop.constData()}};
  for (const auto& [name, value] : options)
    mpv_set_option_string(m_mpv, name, value);
  mpv_initialize(m_mpv);
  m_listGuard = std::make_unique<ListGuardMpv>(
      m_mpv, [this](const QString& list, ListLineage::Verdict why) {
        QMetaObject::invokeMethod(this, [this, list, why] { refuseList(list, why); },
                                  Qt::QueuedConnection);
      });
  m_details = std::make_unique<ItemDetailsMpv>(m_mpv, [this] {
    QMetaObject::invokeMethod(this, &EngineMpv::currentMediaChanged, Qt::QueuedConnection);
  });
  m_properties.observe(m_mpv);
  mpv_set_wakeup_callback(m_mpv, &EngineMpv::onWakeup, this);

  m_video = new VideoWindowMpv(m_mpv);
  m_audioCard = std::make_unique<AudioCardMpv>(m_mpv, m_video);
  QWidget* picture = hostPicture(m_video);
  picture->setFocusPolicy(Qt::NoFocus);
  // The container hands drags on to the picture's window, which has no use
  // for them: files dropped on the picture are the main window's to play.
  picture->setAcceptDrops(false);
  m_view = new PlayerViewQt(picture);
  // The player's keys work wherever the focus is in the window.
  qApp->installEventFilter(this);
  setUpFailureLine();
  setUpNotes();
  connect(m_video, &VideoWindowMpv::renderContextReady, this, &EngineMpv::onRenderContextReady);
  connect(m_video, &VideoWindowMpv::frameDrawn, this, &EngineMpv::onFrameDrawn);
  connect(m_video, &VideoWindowMpv::pressed, this, &EngineMpv::emitMouseDown);
  connect(m_video, &VideoWindowMpv::doubleClicked, this, [this] { setFullScreen(!m_fullScreen); });
  connect(m_video, &VideoWindowMpv::mouseMoved, m_view, &PlayerViewQt::mouseMovedOverVideo);
  // The wheel over the picture is the volume, 5 a notch, as the Up and Down keys.
  connect(m_video, &VideoWindowMpv::wheelTurned, this,
          [this](int notches) { changeVolumeBy(VolumeStep * notches); });
  connect(m_view, &PlayerViewQt::windowLeftFullScreen, this, [this] { setFullScreen(false); });

  ControlBarQt* bar = m_view->bar();
  connect(bar, &ControlBarQt::playPauseClicked, this, [this] {
    if (playState() == PlayState::Playing)
      pause();
    else
      play();
  });
  connect(bar, &ControlBarQt::stopClicked, this, &EngineMpv::stop);
  connect(bar, &ControlBarQt::previousClicked, this, &EngineMpv::previous);
  connect(bar, &ControlBarQt::nextClicked, this, &EngineMpv::next);
  connect(bar, &ControlBarQt::seekRequested, this, &EngineMpv::setCurrentPosition);
  connect(bar, &ControlBarQt::muteClicked, this, [this] { setMute(!m_mute); });
  connect(bar, &ControlBarQt::volumeRequested, this, &EngineMpv::setVolume);
  bar->setVolume(m_volume);
  initTracks();

  m_positionTimer.setInterval(250);
  connect(&m_positionTimer, &QTimer::timeout, this, &EngineMpv::updateBar);
  startResuming();
}

EngineMpv::~EngineMpv()
{
  // Closing the window leaves the item where it is.
  keepResumePoint();
  qApp->removeEventFilter(this);
  mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
  m_listGuard.reset();
  m_subtitleFiles.reset();
  // The render context goes with the picture (the window container owns the
  // video window), and it must go first.
  delete m_view;
  m_details.reset(); // after the picture, which answers a screenshot under way
  mpv_terminate_destroy(m_mpv);
}

QWidget* EngineMpv::widget() const
{
  return m_view;
}

// Called on one of mpv's threads; the events are read on the GUI thread.
void EngineMpv::onWakeup(void* self)
{
  auto* engine = static_cast<EngineMpv*>(self);
  if (!engine->m_wakeupPosted.exchange(true))
    QMetaObject::invokeMethod(engine, &EngineMpv::drainEvents, Qt::QueuedConnection);
}

void EngineMpv::drainEvents()
{
  m_wakeupPosted = false;
  // libmpv reports property changes after the queued events, once its queue
  // is empty. Acting on the events after the whole queue lets a player event
  // see the item it is about, not the one before.
  Drained drained;
  for (;;) {
    const mpv_event* event = mpv_wait_event(m_mpv, 0);
    if (event->event_id == MPV_EVENT_NONE)
      break;
    take(*event, drained);
  }
  showFailures();
  if (drained.opening && m_fileActive && !m_fileLoaded && !m_properties.path.isEmpty()) {
    const QString source = sourceOf(m_properties.path);
    m_notice.opening(source);
    emit itemOpening(source);
  }
  for (auto event = drained.events.cbegin(); event != drained.events.cend(); ++event) {
    if (*event == EngineEvent::PlaybackRestart && !restartsPlayback(event, drained.events.cend()))
      continue;
    feed(*event);
  }
  if (m_restartAwaitingPicture && (!m_properties.hasPicture || m_properties.videoWidth > 0)) {
    m_restartAwaitingPicture = false;
    feed(EngineEvent::PlaybackRestart);
  }
  if (!drained.events.empty())
    updateBar();
  if (drained.mediaChanged) {
    showTracks();
    emit currentMediaChanged();
  }
  if (drained.mediaChanged || !drained.events.empty())
    m_audioCard->show(audioCard());
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
    m_restartAwaitingPicture = true;
    return false;
  }
  return true;
}

void EngineMpv::take(const mpv_event& event, Drained& drained)
{
  watchForFailure(event);
  switch (event.event_id) {
  case MPV_EVENT_START_FILE:
    m_fileActive = true;
    m_fileLoaded = false;
    m_keptItem.reset();
    m_restartAwaitingPicture = false;
    m_properties.lastPicture = {};
    resumeItemStarted();
    drained.events.push_back(EngineEvent::StartFile);
    drained.mediaChanged = true;
    break;
  case MPV_EVENT_FILE_LOADED:
    if (std::exchange(m_traceFileLoaded, false))
      traceMilestone("file-loaded");
    m_fileLoaded = true;
    resumeItemLoaded();
    drained.events.push_back(EngineEvent::FileLoaded);
    drained.mediaChanged = true;
    break;
  case MPV_EVENT_PLAYBACK_RESTART:
    if (std::exchange(m_tracePlaybackRestart, false))
      traceMilestone("playback-restart");
    drained.events.push_back(EngineEvent::PlaybackRestart);
    break;
  case MPV_EVENT_END_FILE:
    // An item that was opened stays current after it stopped or ended, until
    // another is loaded; one that could not be opened never was current.
    if (m_fileLoaded && hasItem()) {
      m_keptItem = loadedItem();
      if (m_properties.lastPicture.shown) {
        m_keptItem->imageSourceWidth = m_properties.lastPicture.width;
        m_keptItem->imageSourceHeight = m_properties.lastPicture.height;
      }
    }
    m_fileActive = false;
    m_restartAwaitingPicture = false;
    resumeItemEnded(static_cast<const mpv_event_end_file*>(event.data)->reason);
    drained.events.push_back(endFileEvent(static_cast<const mpv_event_end_file*>(event.data)->reason));
    drained.mediaChanged = true;
    break;
  case MPV_EVENT_PROPERTY_CHANGE:
    takeChange(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data), drained);
    break;
  case MPV_EVENT_COMMAND_REPLY:
    if (event.reply_userdata == LoadReply && event.error < 0)
      drained.events.push_back(EngineEvent::EndFileError);
    if (event.reply_userdata == SubtitleFileReply)
      subtitleFileAdded(event.error >= 0);
    break;
  case MPV_EVENT_SET_PROPERTY_REPLY:
    if (event.reply_userdata == SeekReply && !m_seeks.empty()) {
      const double target = m_seeks.front();
      m_seeks.pop_front();
      if (event.error >= 0)
        emit positionJumped(target);
    }
    break;
  case MPV_EVENT_GET_PROPERTY_REPLY:
    if (event.reply_userdata == ShufflePositionReply && event.error >= 0)
      moveToFront(*static_cast<const mpv_event_property*>(event.data));
    takeResumeReply(event);
    break;
  default:
    break;
  }
}

void EngineMpv::takeChange(uint64_t id, const mpv_event_property& change, Drained& drained)
{
  const bool on = change.format == MPV_FORMAT_FLAG && *static_cast<const int*>(change.data);
  switch (id) {
  case ObservedPropertiesMpv::Pause:
    drained.events.push_back(on ? EngineEvent::PauseOn : EngineEvent::PauseOff);
    break;
  case ObservedPropertiesMpv::PausedForCache:
    drained.events.push_back(on ? EngineEvent::CacheWaitOn : EngineEvent::CacheWaitOff);
    break;
  case ObservedPropertiesMpv::IdleActive:
    if (on)
      drained.events.push_back(EngineEvent::Idle);
    break;
  default:
    if (m_properties.absorb(id, change))
      drained.mediaChanged = true;
    if (id == ObservedPropertiesMpv::Path)
      drained.opening = true;
    break;
  }
}

void EngineMpv::feed(EngineEvent event)
{
  const std::optional<int> state = m_states.apply(event);
  if (!state)
    return;
  const bool running = *state == PlayState::Playing || *state == PlayState::Paused
                    || *state == PlayState::Buffering;
  if (running)
    m_positionTimer.start();
  else
    m_positionTimer.stop();
  m_view->bar()->setPlaying(*state == PlayState::Playing || *state == PlayState::Buffering
                            || *state == PlayState::Transitioning);
  updateBar();
  emit PlayStateChange(*state);
}

void EngineMpv::updateBar()
{
  m_view->bar()->setTimes(m_properties.timePos, m_properties.duration);
}

void EngineMpv::onRenderContextReady()
{
  feed(EngineEvent::RenderContextReady);
  if (std::exchange(m_loadQueued, false))
    load();
}

void EngineMpv::onFrameDrawn()
{
  if (m_firstPictureDue && m_properties.voConfigured) {
    m_firstPictureDue = false;
    traceMilestone("first-frame");
    emit pictureShown();
  }
}

void EngineMpv::setURL(const QString& url)
{
  m_url = url;
  m_stoppedEntry = -1;
  m_notice.newRequest();
  m_refusedLists.clear();
  feed(EngineEvent::UrlSet);
  if (m_video->hasRenderContext())
    load();
  else
    m_loadQueued = true; // mpv cannot open video before the render context exists
}

void EngineMpv::load()
{
  m_traceFileLoaded = m_firstPictureDue = m_tracePlaybackRestart = true;
  // pause survives stop and loadfile: the new item must start playing.
  setFlag(m_mpv, "pause", false);
  const QByteArray url = encodeFileName(WebAddress::withLowerCaseScheme(m_url));
  if (command(m_mpv, {"loadfile", url.constData(), "replace"}, LoadReply) < 0)
    feed(EngineEvent::EndFileError);
}

std::optional<MediaItem> EngineMpv::currentMedia() const
{
  if (!hasItem())
    return m_keptItem;
  return loadedItem();
}

// The URL as it was set, not as the core was given it.
QString EngineMpv::sourceOf(const QString& path) const
{
  return path == WebAddress::withLowerCaseScheme(m_url) ? m_url : path;
}

MediaItem EngineMpv::loadedItem() const
{
  MediaItem item;
  item.sourceURL = sourceOf(m_properties.path);
  item.duration = m_properties.duration;
  if (m_properties.hasPicture) {
    item.imageSourceWidth = m_properties.videoWidth;
    item.imageSourceHeight = m_properties.videoHeight;
  }
  item.author = m_properties.tag(QStringLiteral("artist"));
  if (item.author.isEmpty())
    item.author = m_properties.tag(QStringLiteral("author"));
  item.title = m_properties.tag(QStringLiteral("title"));
  item.album = m_properties.tag(QStringLiteral("album"));
  item.coverArtFile = m_details->coverArtFile(m_properties.path);
  return item;
}

// An item without a picture shows its card, unless the core shows cover art.
// Its tracks are known for certain once it has started.
std::optional<AudioCard> EngineMpv::audioCard() const
{
  const int state = playState();
  const bool started = state == PlayState::Playing || state == PlayState::Paused ||
                       state == PlayState::Buffering;
  if (!started || !hasItem() || m_properties.showsVideoTrack)
    return std::nullopt;
  return audioCardOf(loadedItem());
}

void EngineMpv::play()
{
  switch (playState()) {
  case PlayState::Stopped:
    // The item that was stopped starts again from its beginning; a list goes
    // on from there.
    if (m_stoppedEntry >= 0) {
      m_fileFromStart = m_resumeFile + 1;
      const QByteArray entry = QByteArray::number(std::exchange(m_stoppedEntry, -1));
      command(m_mpv, {"playlist-play-index", entry.constData()});
      break;
    }
    [[fallthrough]];
  case PlayState::MediaEnded:
    // As a player's Play button: start the current URL again.
    if (!m_url.isEmpty())
      setURL(m_url);
    break;
  case PlayState::Paused:
  case PlayState::Buffering:
  case PlayState::Transitioning:
    setFlag(m_mpv, "pause", false);
    break;
  default:
    break;
  }
}

void EngineMpv::pause()
{
  setFlag(m_mpv, "pause", true);
}

void EngineMpv::stop()
{
  // The list stays, so that Play starts the item that was stopped.
  if (m_fileActive)
    m_stoppedEntry = m_properties.playlistPos;
  command(m_mpv, {"stop", "keep-playlist"});
}

void EngineMpv::next()
{
  command(m_mpv, {"playlist-next"});
}

void EngineMpv::previous()
{
  command(m_mpv, {"playlist-prev"});
}

double EngineMpv::currentPosition() const
{
  return m_properties.timePos;
}

void EngineMpv::setCurrentPosition(double seconds)
{
  if (!hasItem())
    return;
  seconds = std::max(0.0, seconds);
  if (mpv_set_property_async(m_mpv, SeekReply, "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0)
    return;
  // Shown at once, and a second key press goes on from here.
  m_properties.timePos = seconds;
  m_seeks.push_back(seconds);
  updateBar();
}

void EngineMpv::setVolume(int volume)
{
  volume = std::clamp(volume, 0, 100);
  if (volume == m_volume)
    return;
  m_volume = volume;
  double value = volume;
  mpv_set_property_async(m_mpv, Ignored, "volume", MPV_FORMAT_DOUBLE, &value);
  m_view->bar()->setVolume(volume);
  emit volumeChanged(volume);
}

void EngineMpv::setMute(bool on)
{
  m_mute = on;
  setFlag(m_mpv, "mute", on);
  m_view->bar()->setMuted(on);
}

void EngineMpv::setMode(const QString& mode, bool on)
{
  if (mode == QLatin1String("loop")) {
    // Repeats a single file as well as a list.
    m_loop = on;
    const char* value = on ? "inf" : "no";
    mpv_set_property_async(m_mpv, Ignored, "loop-playlist", MPV_FORMAT_STRING, &value);
  } else if (mode == QLatin1String("shuffle")) {
    // The option shuffles lists loaded later; the command the one playing.
    m_shuffle = on;
    setFlag(m_mpv, "shuffle", on);
    command(m_mpv, {on ? "playlist-shuffle" : "playlist-unshuffle"});
    // Asked after the shuffle, the answer is the current item's new place.
    if (on)
      mpv_get_property_async(m_mpv, ShufflePositionReply, "playlist-pos", MPV_FORMAT_INT64);
  }
}

// The list goes on from the current item's place; putting it first lets
// every other item still come.
void EngineMpv::moveToFront(const mpv_event_property& position)
{
  if (position.format != MPV_FORMAT_INT64)
    return;
  const int64_t current = *static_cast<const int64_t*>(position.data);
  if (current > 0)
    command(m_mpv, {"playlist-move", QByteArray::number(current).constData(), "0"});
}

bool EngineMpv::getMode(const QString& mode) const
{
  if (mode == QLatin1String("loop"))
    return m_loop;
  if (mode == QLatin1String("shuffle"))
    return m_shuffle;
  return false;
}

void EngineMpv::setFullScreen(bool on)
{
  // With nothing ever opened there is no picture to fill the screen with.
  if (on == m_fullScreen || (on && m_url.isEmpty()))
    return;
  m_fullScreen = on;
  emit fullScreenChanged(on);
  if (on)
    m_view->enterFullScreen();
  else
    m_view->leaveFullScreen();
}

void EngineMpv::showNote(const QString& text, int milliseconds)
{
  const QByteArray line = text.toUtf8();
  const QByteArray duration = QByteArray::number(milliseconds);
  // Shown as it is: "${…}" in a file name is no property to expand.
  const char* args[] = {"raw", "show-text", line.constData(), duration.constData(), nullptr};
  mpv_command_async(m_mpv, Ignored, args);
}

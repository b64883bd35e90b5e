#include "playback/engine_mpv.h"

#include "playback/control_bar_qt.h"
#include "playback/milestone_trace.h"
#include "playback/player_view_qt.h"
#include "playback/video_window_mpv.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <mpv/client.h>

namespace {

enum Observed : uint64_t { Pause = 1, PausedForCache, IdleActive, Metadata, VideoParams, Duration };

// Audio-only files must play on a machine without a sound device, hence the
// null output at the end. Tests may pin the output; users have no switch.
QByteArray audioOutputs()
{
  const QByteArray pinned = qgetenv("KELVARINO_MPV_AO");
  return pinned.isEmpty() ? QByteArrayLiteral("pulse,alsa,null") : pinned;
}

QString stringProperty(mpv_handle* mpv, const char* name)
{
  char* text = mpv_get_property_string(mpv, name);
  if (!text)
    return {};
  QString value = QString::fromUtf8(text);
  mpv_free(text);
  return value;
}

std::optional<double> doubleProperty(mpv_handle* mpv, const char* name)
{
  double value = 0;
  if (mpv_get_property(mpv, name, MPV_FORMAT_DOUBLE, &value) < 0)
    return std::nullopt;
  return value;
}

std::optional<int64_t> intProperty(mpv_handle* mpv, const char* name)
{
  int64_t value = 0;
  if (mpv_get_property(mpv, name, MPV_FORMAT_INT64, &value) < 0)
    return std::nullopt;
  return value;
}

std::optional<bool> flagProperty(mpv_handle* mpv, const char* name)
{
  int value = 0;
  if (mpv_get_property(mpv, name, MPV_FORMAT_FLAG, &value) < 0)
    return std::nullopt;
  return value != 0;
}

void setFlag(mpv_handle* mpv, const char* name, bool on)
{
  int value = on;
  mpv_set_property(mpv, name, MPV_FORMAT_FLAG, &value);
}

int command(mpv_handle* mpv, std::initializer_list<const char*> words)
{
  std::vector<const char*> args(words);
  args.push_back(nullptr);
  return mpv_command(mpv, args.data());
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

int shiftBits(Qt::KeyboardModifiers modifiers)
{
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
       | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

EngineMpv::EngineMpv(QObject* parent) : MediaEngine(parent)
{
  // mpv parses numbers with the C library and refuses to start otherwise.
  std::setlocale(LC_NUMERIC, "C");
  m_mpv = mpv_create();
  const QByteArray ao = audioOutputs();
  const std::pair<const char*, const char*> options[] = {
      {"vo", "libmpv"}, {"ao", ao.constData()}, {"config", "no"}, {"terminal", "no"},
      {"idle", "yes"}, {"keep-open", "no"}, {"osc", "no"}, {"ytdl", "no"},
      {"input-default-bindings", "no"}, {"input-vo-keyboard", "no"}, {"load-scripts", "no"},
      {"load-stats-overlay", "no"}, {"load-osd-console", "no"}, {"load-auto-profiles", "no"},
      {"osd-level", "0"}, {"volume", "50"}, {"gpu-hwdec-interop", "no"}};
  for (const auto& [name, value] : options)
    mpv_set_option_string(m_mpv, name, value);
  mpv_initialize(m_mpv);
  mpv_observe_property(m_mpv, Pause, "pause", MPV_FORMAT_FLAG);
  mpv_observe_property(m_mpv, PausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
  mpv_observe_property(m_mpv, IdleActive, "idle-active", MPV_FORMAT_FLAG);
  mpv_observe_property(m_mpv, Metadata, "metadata", MPV_FORMAT_NONE);
  mpv_observe_property(m_mpv, VideoParams, "video-params", MPV_FORMAT_NONE);
  mpv_observe_property(m_mpv, Duration, "duration", MPV_FORMAT_NONE);
  mpv_set_wakeup_callback(m_mpv, &EngineMpv::onWakeup, this);

  m_video = new VideoWindowMpv(m_mpv);
  QWidget* picture = QWidget::createWindowContainer(m_video);
  picture->setFocusPolicy(Qt::NoFocus);
  m_view = new PlayerViewQt(picture);
  m_view->installEventFilter(this);
  connect(m_video, &VideoWindowMpv::renderContextReady, this, &EngineMpv::onRenderContextReady);
  connect(m_video, &VideoWindowMpv::frameDrawn, this, &EngineMpv::onFrameDrawn);
  connect(m_video, &VideoWindowMpv::pressed, this, &EngineMpv::emitMouseDown);
  connect(m_video, &VideoWindowMpv::doubleClicked, this, [this] { setFullScreen(!m_fullScreen); });
  connect(m_video, &VideoWindowMpv::mouseMoved, m_view, &PlayerViewQt::mouseMovedOverVideo);

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

  m_positionTimer.setInterval(250);
  connect(&m_positionTimer, &QTimer::timeout, this, &EngineMpv::updateBar);
}

EngineMpv::~EngineMpv()
{
  mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
  // The render context goes with the picture (the window container owns the
  // video window), and it must go first.
  delete m_view;
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
  for (;;) {
    const mpv_event* event = mpv_wait_event(m_mpv, 0);
    if (event->event_id == MPV_EVENT_NONE)
      return;
    handle(*event);
  }
}

void EngineMpv::handle(const mpv_event& event)
{
  switch (event.event_id) {
  case MPV_EVENT_START_FILE:
    feed(EngineEvent::StartFile);
    emit currentMediaChanged();
    break;
  case MPV_EVENT_FILE_LOADED:
    if (std::exchange(m_traceFileLoaded, false))
      traceMilestone("file-loaded");
    feed(EngineEvent::FileLoaded);
    emit currentMediaChanged();
    break;
  case MPV_EVENT_PLAYBACK_RESTART:
    if (std::exchange(m_tracePlaybackRestart, false))
      traceMilestone("playback-restart");
    feed(EngineEvent::PlaybackRestart);
    updateBar();
    break;
  case MPV_EVENT_END_FILE:
    feed(endFileEvent(static_cast<const mpv_event_end_file*>(event.data)->reason));
    emit currentMediaChanged();
    break;
  case MPV_EVENT_PROPERTY_CHANGE: {
    const auto* property = static_cast<const mpv_event_property*>(event.data);
    const bool on = property->format == MPV_FORMAT_FLAG && *static_cast<const int*>(property->data);
    switch (event.reply_userdata) {
    case Pause: feed(on ? EngineEvent::PauseOn : EngineEvent::PauseOff); break;
    case PausedForCache: feed(on ? EngineEvent::CacheWaitOn : EngineEvent::CacheWaitOff); break;
    case IdleActive: if (on) feed(EngineEvent::Idle); break;
    default: emit currentMediaChanged(); break;
    }
    break;
  }
  default:
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
  m_view->bar()->setTimes(currentPosition(), doubleProperty(m_mpv, "duration").value_or(0));
}

void EngineMpv::onRenderContextReady()
{
  feed(EngineEvent::RenderContextReady);
  if (std::exchange(m_loadQueued, false))
    load();
}

void EngineMpv::onFrameDrawn()
{
  if (m_traceFirstFrame && flagProperty(m_mpv, "vo-configured").value_or(false)) {
    m_traceFirstFrame = false;
    traceMilestone("first-frame");
  }
}

void EngineMpv::setURL(const QString& url)
{
  m_url = url;
  feed(EngineEvent::UrlSet);
  if (m_video->hasRenderContext())
    load();
  else
    m_loadQueued = true; // mpv cannot open video before the render context exists
}

void EngineMpv::load()
{
  m_traceFileLoaded = m_traceFirstFrame = m_tracePlaybackRestart = true;
  // pause survives stop and loadfile: the new item must start playing.
  setFlag(m_mpv, "pause", false);
  const QByteArray url = m_url.toUtf8();
  if (command(m_mpv, {"loadfile", url.constData(), "replace"}) < 0)
    feed(EngineEvent::EndFileError);
}

std::optional<MediaItem> EngineMpv::currentMedia() const
{
  const QString path = stringProperty(m_mpv, "path");
  if (path.isEmpty())
    return std::nullopt;
  MediaItem item;
  item.sourceURL = path;
  item.duration = doubleProperty(m_mpv, "duration").value_or(0);
  // Cover art of an audio file is a video track too, but no picture.
  if (!flagProperty(m_mpv, "current-tracks/video/albumart").value_or(true)) {
    item.imageSourceWidth = int(intProperty(m_mpv, "video-params/w").value_or(0));
    item.imageSourceHeight = int(intProperty(m_mpv, "video-params/h").value_or(0));
  }
  item.author = stringProperty(m_mpv, "metadata/by-key/artist");
  if (item.author.isEmpty())
    item.author = stringProperty(m_mpv, "metadata/by-key/author");
  item.title = stringProperty(m_mpv, "metadata/by-key/title");
  return item;
}

void EngineMpv::play()
{
  switch (playState()) {
  case PlayState::Stopped:
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
  command(m_mpv, {"stop"});
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
  return doubleProperty(m_mpv, "time-pos").value_or(0);
}

void EngineMpv::setCurrentPosition(double seconds)
{
  if (stringProperty(m_mpv, "path").isEmpty())
    return;
  seconds = std::max(0.0, seconds);
  if (mpv_set_property(m_mpv, "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0)
    return;
  updateBar();
  emit positionJumped(seconds);
}

void EngineMpv::setVolume(int volume)
{
  volume = std::clamp(volume, 0, 100);
  if (volume == m_volume)
    return;
  m_volume = volume;
  double value = volume;
  mpv_set_property(m_mpv, "volume", MPV_FORMAT_DOUBLE, &value);
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
    mpv_set_property_string(m_mpv, "loop-playlist", on ? "inf" : "no");
  } else if (mode == QLatin1String("shuffle")) {
    // The option shuffles lists loaded later; the command the one playing.
    m_shuffle = on;
    setFlag(m_mpv, "shuffle", on);
    command(m_mpv, {on ? "playlist-shuffle" : "playlist-unshuffle"});
    // The list goes on from the current item's new place; put that first so
    // that every other item still comes.
    const QByteArray current = QByteArray::number(intProperty(m_mpv, "playlist-pos").value_or(0));
    if (on && current != "0" && current != "-1")
      command(m_mpv, {"playlist-move", current.constData(), "0"});
  }
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

void EngineMpv::emitMouseDown(QMouseEvent* event)
{
  m_view->setFocus(Qt::MouseFocusReason);
  int button = 0;
  switch (event->button()) {
  case Qt::LeftButton: button = 1; break;
  case Qt::RightButton: button = 2; break;
  case Qt::MiddleButton: button = 4; break;
  default: return;
  }
  const QPointF at = event->position();
  emit MouseDown(button, shiftBits(event->modifiers()), float(at.x()), float(at.y()));
}

bool EngineMpv::eventFilter(QObject* watched, QEvent* event)
{
  // The type first: the view sends events while it is being destroyed, and
  // reading the guarded pointer then would cast a half-destroyed widget.
  if (event->type() == QEvent::KeyPress && watched == m_view) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
      return keyPressed(key->key());
  }
  return MediaEngine::eventFilter(watched, event);
}

bool EngineMpv::keyPressed(int key)
{
  switch (key) {
  case Qt::Key_Space:
    if (playState() == PlayState::Playing)
      pause();
    else
      play();
    return true;
  case Qt::Key_Left: setCurrentPosition(currentPosition() - 5); return true;
  case Qt::Key_Right: setCurrentPosition(currentPosition() + 5); return true;
  case Qt::Key_Up: setVolume(m_volume + 5); return true;
  case Qt::Key_Down: setVolume(m_volume - 5); return true;
  case Qt::Key_M: setMute(!m_mute); return true;
  case Qt::Key_F: setFullScreen(!m_fullScreen); return true;
  case Qt::Key_Escape: setFullScreen(false); return true;
  default: return false;
  }
}

#include "playback/player_control_qt.h"

#include "playback/audio_card.h"
#include "playback/audio_card_mpv.h"
#include "playback/backing_store_x11.h"
#include "playback/chapters.h"
#include "playback/control_bar_qt.h"
#include "playback/seek_preview_qt.h"
#include "playback/engine_mpv.h"
#include "playback/picture_host_qt.h"
#include "playback/player_view_qt.h"
#include "playback/track_buttons_qt.h"
#include "playback/video_window_mpv.h"

#include <QWidget>

namespace {

constexpr int ClockMs = 250;

bool isRunning(int state)
{
  return state == PlayState::Playing || state == PlayState::Paused ||
         state == PlayState::Buffering;
}

} // namespace

PlayerControlQt::PlayerControlQt(EngineMpv& engine) : m_engine(engine)
{
  VideoWindowMpv* video = engine.videoWindow();
  QWidget* picture = hostPicture(video);
  picture->setFocusPolicy(Qt::NoFocus);
  // The container hands drags on to the picture's window, which has no use
  // for them: files dropped on the picture are the main window's to play.
  picture->setAcceptDrops(false);
  m_view = new PlayerViewQt(picture);
  auto* preview = new SeekPreviewQt(engine, m_view); // the view owns it
  connect(preview, &SeekPreviewQt::shownChanged, video,
          [video](bool shown) { keepContents(video, shown); });
  m_audioCard = std::make_unique<AudioCardMpv>(engine.session(), video);
  m_clock.setInterval(ClockMs);
  connect(&m_clock, &QTimer::timeout, this, &PlayerControlQt::showTimes);
  forwardRequests();
  followEngine();
}

PlayerControlQt::~PlayerControlQt() = default;

void PlayerControlQt::forwardRequests()
{
  ControlBarQt* bar = m_view->bar();
  connect(bar, &ControlBarQt::playPauseClicked, this, &PlayerControls::playPauseClicked);
  connect(bar, &ControlBarQt::stopClicked, this, &PlayerControls::stopClicked);
  connect(bar, &ControlBarQt::previousClicked, this, &PlayerControls::previousClicked);
  connect(bar, &ControlBarQt::nextClicked, this, &PlayerControls::nextClicked);
  connect(bar, &ControlBarQt::seekRequested, this, &PlayerControls::seekRequested);
  connect(bar, &ControlBarQt::scrubRequested, this, &PlayerControls::scrubRequested);
  connect(bar, &ControlBarQt::muteClicked, this, &PlayerControls::muteClicked);
  connect(bar, &ControlBarQt::volumeRequested, this, &PlayerControls::volumeRequested);
  TrackButtonsQt* tracks = bar->tracks();
  connect(tracks, &TrackButtonsQt::audioChosen, this, &PlayerControls::audioChosen);
  connect(tracks, &TrackButtonsQt::subtitleChosen, this, &PlayerControls::subtitleChosen);
  connect(tracks, &TrackButtonsQt::subtitleFileWanted, this, &PlayerControls::subtitleFileWanted);

  VideoWindowMpv* video = m_engine.videoWindow();
  connect(video, &VideoWindowMpv::wheelTurned, this, &PlayerControls::wheelTurned);
  connect(video, &VideoWindowMpv::doubleClicked, this, &PlayerControls::doubleClicked);
  connect(video, &VideoWindowMpv::mouseMoved, m_view, &PlayerViewQt::mouseMovedOverVideo);
  // A click on the picture brings the keyboard to the player's window.
  connect(video, &VideoWindowMpv::pressed, m_view, [this] { m_view->setFocus(Qt::MouseFocusReason); });
}

void PlayerControlQt::followEngine()
{
  ControlBarQt* bar = m_view->bar();
  connect(&m_engine, &MediaEngine::PlayStateChange, this, &PlayerControlQt::stateChanged);
  connect(&m_engine, &MediaEngine::currentMediaChanged, this, &PlayerControlQt::showItem);
  connect(&m_engine, &MediaEngine::positionJumped, this, &PlayerControlQt::showTimes);
  connect(&m_engine, &MediaEngine::volumeChanged, bar, &ControlBarQt::setVolume);
  connect(&m_engine, &MediaEngine::muteChanged, bar, &ControlBarQt::setMuted);
  connect(&m_engine, &MediaEngine::chaptersChanged, this, &PlayerControlQt::showMarks);
  connect(&m_engine, &MediaEngine::loopChanged, this, &PlayerControlQt::showMarks);
  bar->setVolume(m_engine.volume());
}

void PlayerControlQt::stateChanged(int state)
{
  if (isRunning(state))
    m_clock.start();
  else
    m_clock.stop();
  m_view->bar()->setPlaying(state == PlayState::Playing || state == PlayState::Buffering ||
                            state == PlayState::Transitioning);
  showTracks(); // the subtitle button follows whether the picture plays
  showTimes();
  m_audioCard->show(audioCardFor(state, m_engine.currentMedia()));
}

void PlayerControlQt::showMarks()
{
  const std::optional<MediaItem> item = m_engine.currentMedia();
  QVector<BarMark> marks = Chapters::marks(m_engine.chapters(), item ? item->duration : 0);
  const LoopPoints loop = m_engine.loopPoints();
  if (loop.a)
    marks.append({*loop.a, BarMark::Kind::LoopStart});
  if (loop.b)
    marks.append({*loop.b, BarMark::Kind::LoopEnd});
  m_view->bar()->setMarks(marks);
}

void PlayerControlQt::showTimes()
{
  const std::optional<MediaItem> item = m_engine.currentMedia();
  m_view->bar()->setTimes(m_engine.currentPosition(), item ? item->duration : 0);
}

void PlayerControlQt::showTracks()
{
  const std::optional<MediaItem> item = m_engine.currentMedia();
  // Subtitles go on a picture that plays; a file for them can be chosen then.
  const bool picture = item && item->imageSourceWidth > 0 && isRunning(m_engine.playState());
  m_view->bar()->tracks()->setTracks(m_engine.tracks(), picture);
}

void PlayerControlQt::showItem()
{
  showTracks();
  showTimes();
  showMarks(); // the duration they stand on may come after them
  m_audioCard->show(audioCardFor(m_engine.playState(), m_engine.currentMedia()));
}

#include "playback/player_actions.h"

#include "core/display_name.h"
#include "core/file_dialogs.h"
#include "core/media_engine.h"
#include "core/player_controls.h"
#include "core/web_address.h"
#include "playback/chapters.h"
#include "playback/on_screen_notes.h"
#include "playback/play_speed.h"
#include "playback/track_menu.h"

#include <QFileInfo>
#include <algorithm>

PlayerActions::PlayerActions(MediaEngine& player, PlayerControls& controls, FileDialogs& dialogs,
                             const QString& screenshotFolder)
    : m_player(player), m_dialogs(dialogs), m_precise(player, screenshotFolder)
{
  MediaEngine* p = &player;
  connect(&controls, &PlayerControls::playPauseClicked, p, &MediaEngine::playPause);
  connect(&controls, &PlayerControls::stopClicked, p, &MediaEngine::stop);
  connect(&controls, &PlayerControls::previousClicked, p, &MediaEngine::previous);
  connect(&controls, &PlayerControls::nextClicked, p, &MediaEngine::next);
  connect(&controls, &PlayerControls::seekRequested, p, &MediaEngine::setCurrentPosition);
  connect(&controls, &PlayerControls::scrubRequested, p, &MediaEngine::scrubTo);
  connect(&controls, &PlayerControls::volumeRequested, p, &MediaEngine::setVolume);
  connect(&controls, &PlayerControls::muteClicked, this, [this] { m_player.setMute(!m_player.mute()); });
  connect(&controls, &PlayerControls::audioChosen, this,
          [this](int id) { chooseTrack(Track::Kind::Audio, id); });
  connect(&controls, &PlayerControls::subtitleChosen, this,
          [this](int id) { chooseTrack(Track::Kind::Subtitle, id); });
  connect(&controls, &PlayerControls::subtitleFileWanted, this, &PlayerActions::loadSubtitleFile);
  // The wheel over the picture is the volume, as the Up and Down keys.
  connect(&controls, &PlayerControls::wheelTurned, this,
          [this](int notches) { changeVolumeBy(VolumeStep * notches); });
  connect(&controls, &PlayerControls::doubleClicked, this,
          [this] { m_player.setFullScreen(!m_player.fullScreen()); });
  connect(p, &MediaEngine::subtitleFileAdded, this, &PlayerActions::subtitleFileAdded);
  // A click on the picture closes the key card as a key does.
  connect(p, &MediaEngine::MouseDown, this, [this] {
    if (m_player.cardShown())
      m_player.hideCard();
  });
  connect(&m_precise, &PreciseActions::subtitleDelayChosen, this,
          &PlayerActions::subtitleDelayChosen);
}

bool PlayerActions::keyPressed(PlayerKey key)
{
  if (m_player.cardShown()) {
    m_player.hideCard();
    return true;
  }
  switch (key) {
  case PlayerKey::None: return false;
  case PlayerKey::PlayPause: m_player.playPause(); break;
  case PlayerKey::SeekBack: seekBy(-5); break;
  case PlayerKey::SeekForward: seekBy(5); break;
  case PlayerKey::StepBack: seekBy(-1); break;
  case PlayerKey::StepForward: seekBy(1); break;
  case PlayerKey::StartOver: startOver(); break;
  case PlayerKey::VolumeUp: changeVolumeBy(VolumeStep); break;
  case PlayerKey::VolumeDown: changeVolumeBy(-VolumeStep); break;
  case PlayerKey::Mute: toggleMute(); break;
  case PlayerKey::FullScreen: m_player.setFullScreen(!m_player.fullScreen()); break;
  case PlayerKey::LeaveFullScreen: m_player.setFullScreen(false); break;
  case PlayerKey::Slower: changeRate(PlaySpeed::slower(m_player.rate())); break;
  case PlayerKey::Faster: changeRate(PlaySpeed::faster(m_player.rate())); break;
  case PlayerKey::NormalSpeed: changeRate(PlaySpeed::Normal); break;
  case PlayerKey::NextAudioTrack: cycleTrack(Track::Kind::Audio); break;
  case PlayerKey::NextSubtitle: cycleTrack(Track::Kind::Subtitle); break;
  case PlayerKey::ToggleSubtitles: toggleSubtitles(); break;
  case PlayerKey::PreviousChapter: goToChapter(Chapters::previous); break;
  case PlayerKey::NextChapter: goToChapter(Chapters::next); break;
  default: return preciseKeyPressed(key);
  }
  return true;
}

bool PlayerActions::preciseKeyPressed(PlayerKey key)
{
  switch (key) {
  case PlayerKey::Screenshot: m_precise.screenshot(true); break;
  case PlayerKey::ScreenshotWithoutSubtitles: m_precise.screenshot(false); break;
  case PlayerKey::LoopPoint: m_precise.loopPoint(); break;
  case PlayerKey::FrameForward: m_precise.stepFrame(true); break;
  case PlayerKey::FrameBack: m_precise.stepFrame(false); break;
  case PlayerKey::SubtitlesEarlier: m_precise.moveSubtitles(-PreciseActions::SubtitleStep); break;
  case PlayerKey::SubtitlesLater: m_precise.moveSubtitles(PreciseActions::SubtitleStep); break;
  case PlayerKey::SubtitleDelayReset: m_precise.resetSubtitleDelay(); break;
  case PlayerKey::KeyCard: m_precise.showKeyCard(); break;
  default: return false;
  }
  return true;
}

namespace {

// Seeks move an item that is open; a stopped one starts from its beginning.
bool isOpen(int state)
{
  return state == PlayState::Playing || state == PlayState::Paused ||
         state == PlayState::Buffering;
}

} // namespace

void PlayerActions::seekBy(double seconds)
{
  const std::optional<MediaItem> item = m_player.currentMedia();
  if (!item || !isOpen(m_player.playState()))
    return;
  const double target = std::max(0.0, m_player.currentPosition() + seconds);
  m_player.setCurrentPosition(target);
  m_player.showNote(OnScreenNotes::seek(target, item->duration, seconds > 0));
}

void PlayerActions::startOver()
{
  if (!isOpen(m_player.playState()))
    return;
  m_player.setCurrentPosition(0);
  // Also replaces a resume note that would otherwise say where it resumed.
  m_player.showNote(OnScreenNotes::startOver());
}

// PgUp and PgDn: a chapter's start, and a note of which chapter it is. Past
// the last chapter or before the first, nothing moves.
void PlayerActions::goToChapter(std::optional<int> (*which)(const QVector<Chapter>&, double))
{
  if (!isOpen(m_player.playState()))
    return;
  const QVector<Chapter> chapters = m_player.chapters();
  const std::optional<int> chapter = which(chapters, m_player.currentPosition());
  if (!chapter)
    return;
  m_player.setCurrentPosition(chapters[*chapter].start);
  m_player.showNote(OnScreenNotes::chapter(*chapter + 1, int(chapters.size()),
                                           chapters[*chapter].title));
}

void PlayerActions::changeVolumeBy(int step)
{
  m_player.setVolume(m_player.volume() + step);
  m_player.showNote(OnScreenNotes::volume(m_player.volume()));
}

void PlayerActions::toggleMute()
{
  m_player.setMute(!m_player.mute());
  m_player.showNote(OnScreenNotes::mute(m_player.mute()));
}

void PlayerActions::changeRate(double rate)
{
  m_player.setRate(rate);
  m_player.showNote(OnScreenNotes::speed(m_player.rate()));
}

void PlayerActions::chooseTrack(Track::Kind kind, int id)
{
  m_player.selectTrack(kind, id);
  emit trackChosen(kind, id);
  // A chosen subtitle is one to be seen.
  if (kind == Track::Kind::Subtitle && id != TrackMenu::Off)
    m_player.setSubtitlesVisible(true);
  m_player.showNote(TrackMenu::note(m_player.tracks(), kind, id));
}

void PlayerActions::cycleTrack(Track::Kind kind)
{
  const QVector<Track> tracks = m_player.tracks();
  const auto ofKind = [kind](const Track& track) { return track.kind == kind; };
  if (std::none_of(tracks.cbegin(), tracks.cend(), ofKind))
    return; // nothing to go round
  chooseTrack(kind, TrackMenu::next(tracks, kind));
}

void PlayerActions::toggleSubtitles()
{
  // With nothing to show, the key says so and changes nothing.
  const QVector<Track> tracks = m_player.tracks();
  if (TrackMenu::hasSubtitles(tracks))
    m_player.setSubtitlesVisible(!m_player.subtitlesVisible());
  m_player.showNote(TrackMenu::visibilityNote(tracks, m_player.subtitlesVisible()));
}

void PlayerActions::loadSubtitleFile()
{
  const std::optional<MediaItem> item = m_player.currentMedia();
  if (!item)
    return;
  // The dialog opens in the media's folder, where its subtitles usually are.
  const QFileInfo media(item->sourceURL);
  const bool local = !WebAddress::isAddress(item->sourceURL) && media.isAbsolute() && media.exists();
  const QString chosen = m_dialogs.getOpenFileName(
      QStringLiteral("加载字幕文件"), local ? media.absolutePath() : QString(),
      {{QStringLiteral("字幕文件"), QStringLiteral("*.srt;*.ass;*.ssa;*.vtt;*.sub;*.idx;*.sup;*.smi")},
       {QStringLiteral("所有文件"), QStringLiteral("*.*")}});
  if (!chosen.isEmpty())
    m_player.addSubtitleFile(chosen);
}

void PlayerActions::subtitleFileAdded(const QString& path, bool added)
{
  if (added)
    m_player.setSubtitlesVisible(true);
  const QString name = isolated(singleLine(displayName(path)));
  m_player.showNote(added ? QStringLiteral("字幕：") + name : QStringLiteral("无法加载字幕：") + name);
}

#include "playback/resuming.h"

#include "core/media_engine.h"

#include <algorithm>

Resuming::Resuming(MediaEngine& player, const QString& storePath)
    : m_player(player), m_points(storePath)
{
  m_checkpoint.setInterval(CheckpointMs);
  connect(&m_checkpoint, &QTimer::timeout, this, &Resuming::keep);
  connect(&player, &MediaEngine::itemLoaded, this, &Resuming::loaded);
  connect(&player, &MediaEngine::itemLeft, this, &Resuming::left);
  connect(&player, &MediaEngine::currentMediaChanged, this, &Resuming::restoreTracks);
  connect(&player, &MediaEngine::PlayStateChange, this, [this](int state) {
    // Only a playing video moves on; a paused one is kept where it was left.
    if (state == PlayState::Playing && !m_key.isEmpty())
      m_checkpoint.start();
    else if (state != PlayState::Buffering)
      m_checkpoint.stop();
  });
}

Resuming::~Resuming()
{
  keep();
}

void Resuming::loaded(const QString& source, double duration, bool fromStart)
{
  m_key = ResumePoints::keyOf(source);
  m_duration = duration;
  const ItemChoices chosen = m_points.choicesOf(m_key);
  if (chosen.subtitleDelay)
    m_player.setSubtitleDelay(*chosen.subtitleDelay);
  m_tracksToRestore = {chosen.audio, chosen.subtitle, std::nullopt};
  restoreTracks();
  // Play after Stop starts the item over on purpose.
  if (fromStart)
    return;
  if (const std::optional<double> start = m_points.startOf(m_key, duration)) {
    m_player.setCurrentPosition(*start);
    m_player.showNote(ResumePoints::noteFor(*start), NoteMs);
  }
}

void Resuming::left(const QString& source, double position, double duration, bool ended)
{
  const QString key = ResumePoints::keyOf(source);
  if (ended)
    m_points.ended(key);
  else
    m_points.leftAt(key, position, duration, isVideo());
  if (key == m_key) {
    m_key.clear();
    m_tracksToRestore = {};
    m_checkpoint.stop();
  }
}

void Resuming::keep()
{
  if (!m_key.isEmpty())
    m_points.leftAt(m_key, m_player.currentPosition(), m_duration, isVideo());
}

// Only videos are resumed: the item has a picture that is no cover art.
bool Resuming::isVideo() const
{
  const std::optional<MediaItem> item = m_player.currentMedia();
  return item && item->imageSourceWidth > 0;
}

void Resuming::trackChosen(Track::Kind kind, int id)
{
  if (m_key.isEmpty())
    return;
  m_tracksToRestore = {}; // the person's choice now stands
  ItemChoices choice;
  (kind == Track::Kind::Audio ? choice.audio : choice.subtitle) = id;
  m_points.chose(m_key, choice);
}

void Resuming::subtitleDelayChosen(double seconds)
{
  if (!m_key.isEmpty())
    m_points.chose(m_key, {std::nullopt, std::nullopt, seconds});
}

// A track chosen before is chosen again once the item lists its tracks, if
// it still has one of that number (a subtitle file loaded by hand is gone).
void Resuming::restoreTracks()
{
  const QVector<Track> tracks = m_player.tracks();
  if (m_tracksToRestore.isEmpty() || tracks.isEmpty())
    return;
  const auto restore = [&](Track::Kind kind, std::optional<int> id) {
    const bool listed = std::any_of(tracks.cbegin(), tracks.cend(), [&](const Track& t) {
      return t.kind == kind && t.id == id;
    });
    if (id && (listed || (kind == Track::Kind::Subtitle && *id == 0)))
      m_player.selectTrack(kind, *id);
  };
  restore(Track::Kind::Audio, m_tracksToRestore.audio);
  restore(Track::Kind::Subtitle, m_tracksToRestore.subtitle);
  m_tracksToRestore = {};
}

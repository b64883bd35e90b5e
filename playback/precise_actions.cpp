#include "playback/precise_actions.h"

#include "core/media_engine.h"
#include "playback/key_card.h"
#include "playback/on_screen_notes.h"

#include <algorithm>
#include <cmath>

PreciseActions::PreciseActions(MediaEngine& player, const QString& screenshotFolder)
    : m_player(player), m_screenshots(player, screenshotFolder)
{
  connect(&player, &MediaEngine::frameStepped, this,
          [this](double position) {
            m_player.showNote(OnScreenNotes::frame(position, m_forward));
          });
}

bool PreciseActions::hasOpenItem() const
{
  const int state = m_player.playState();
  return m_player.currentMedia()
         && (state == PlayState::Playing || state == PlayState::Paused
             || state == PlayState::Buffering);
}

void PreciseActions::loopPoint()
{
  if (!hasOpenItem())
    return;
  const double now = m_player.currentPosition();
  const LoopPoints points = m_player.loopPoints();
  if (!points.a) {
    m_player.setLoopPoints({now, std::nullopt});
    m_player.showNote(OnScreenNotes::loopStart(now));
  } else if (!points.b) {
    // B before A (a seek back in between) loops the same stretch.
    const double a = std::min(*points.a, now), b = std::max(*points.a, now);
    m_player.setLoopPoints({a, b});
    m_player.showNote(OnScreenNotes::loop(a, b));
  } else {
    m_player.setLoopPoints({});
    m_player.showNote(OnScreenNotes::loopCleared());
  }
}

void PreciseActions::stepFrame(bool forward)
{
  if (!hasOpenItem())
    return;
  if (m_player.currentMedia()->imageSourceWidth <= 0) {
    m_player.showNote(OnScreenNotes::noFrames());
    return;
  }
  m_forward = forward;
  m_player.stepFrame(forward);
}

void PreciseActions::moveSubtitles(double seconds)
{
  if (hasOpenItem())
    setSubtitleDelay(m_player.subtitleDelay() + seconds);
}

void PreciseActions::resetSubtitleDelay()
{
  if (hasOpenItem())
    setSubtitleDelay(0);
}

void PreciseActions::setSubtitleDelay(double seconds)
{
  // Whole tenths: ten presses of z and ten of x come back to 0, not 1e-16.
  seconds = std::clamp(std::round(seconds * 10) / 10, -LongestSubtitleDelay, LongestSubtitleDelay);
  m_player.setSubtitleDelay(seconds);
  m_player.showNote(OnScreenNotes::subtitleDelay(seconds));
  emit subtitleDelayChosen(seconds);
}

void PreciseActions::showKeyCard()
{
  m_player.showCard(KeyCard::sections());
}

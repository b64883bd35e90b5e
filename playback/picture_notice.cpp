#include "playback/picture_notice.h"

#include "core/display_name.h"
#include "core/media_engine.h"
#include "core/web_address.h"
#include "playback/playback_failure.h"

PictureNotice::PictureNotice(MediaEngine& player, PictureNoticeTiming timing) : m_player(player)
{
  connect(&player, &MediaEngine::urlSet, this, &PictureNotice::newRequest);
  connect(&player, &MediaEngine::itemOpening, this, &PictureNotice::opening);
  connect(&player, &MediaEngine::itemFailed, this, &PictureNotice::failed);
  connect(&player, &MediaEngine::PlayStateChange, this, &PictureNotice::playStateChanged);
  m_slowOpening.setSingleShot(true);
  m_slowOpening.setInterval(timing.slowOpeningMs);
  connect(&m_slowOpening, &QTimer::timeout, this, &PictureNotice::showOpening);
  m_failureHeld.setSingleShot(true);
  m_failureHeld.setInterval(timing.failureHeldMs);
  connect(&m_failureHeld, &QTimer::timeout, this, &PictureNotice::failureHeld);
}

void PictureNotice::newRequest()
{
  m_failureHeld.stop();
  m_clearWhenHeld = false;
  m_opening.clear();
  m_slowOpening.stop();
  show({});
}

void PictureNotice::opening(const QString& source)
{
  m_opening = source;
  if (WebAddress::isAddress(source))
    showOpening();
  else
    m_slowOpening.start();
}

void PictureNotice::showOpening()
{
  m_slowOpening.stop();
  // A failure being held is said first; the opening follows when it has been read.
  if (m_opening.isEmpty() || m_failureHeld.isActive())
    return;
  show(PlaybackFailure::openingLine(displayName(m_opening)));
  m_lineIsFailure = false;
}

void PictureNotice::failed(const QString& source, const ItemFailure& failure)
{
  const QString line = PlaybackFailure::lineFor(source, failure);
  m_opening.clear();
  m_slowOpening.stop();
  show(line);
  m_lineIsFailure = true;
  // The list may have gone on to an item that already plays.
  m_clearWhenHeld = m_state == PlayState::Playing;
  m_failureHeld.start();
}

void PictureNotice::failureHeld()
{
  if (std::exchange(m_clearWhenHeld, false))
    show({});
  else if (!m_opening.isEmpty() && !m_slowOpening.isActive())
    showOpening();
}

void PictureNotice::playStateChanged(int state)
{
  m_state = state;
  const bool started = state == PlayState::Playing || state == PlayState::Paused;
  const bool ended = state == PlayState::Stopped || state == PlayState::MediaEnded;
  if (!started && !ended)
    return;
  // Whatever was opening has played or has been given up.
  m_opening.clear();
  m_slowOpening.stop();
  if (!m_lineIsFailure)
    show({});
  else if (state == PlayState::Playing && m_failureHeld.isActive())
    m_clearWhenHeld = true;
  else if (state == PlayState::Playing)
    show({});
}

void PictureNotice::show(const QString& line)
{
  if (line.isEmpty())
    m_lineIsFailure = false;
  if (line == m_line)
    return;
  m_line = line;
  m_player.showMessage(line);
}

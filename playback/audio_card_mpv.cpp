#include "playback/audio_card_mpv.h"

#include "playback/mpv_session_mpv.h"
#include <QEvent>

namespace {

// The overlay's number among this client's overlays.
constexpr const char* CardOverlay = "1";

} // namespace

AudioCardMpv::AudioCardMpv(MpvSession& session, QWindow* picture)
    : m_session(session), m_picture(picture)
{
  picture->installEventFilter(this);
}

void AudioCardMpv::show(const std::optional<AudioCard>& card)
{
  if (card == m_card)
    return;
  // The video output is kept only while the card shows: kept for good, the
  // core would set it up anew ahead of every video's first frame.
  if (card.has_value() != m_card.has_value()) {
    m_session.set("force-window", card ? QByteArray("yes") : QByteArray("no"));
  }
  m_card = card;
  draw();
}

bool AudioCardMpv::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::Resize && m_card)
    draw();
  return QObject::eventFilter(watched, event);
}

void AudioCardMpv::draw()
{
  if (!m_card || !m_picture || m_picture->width() <= 0 || m_picture->height() <= 0) {
    // The core refuses the command without its data, even to remove.
    m_session.command({"osd-overlay", CardOverlay, "none", ""});
    return;
  }
  m_session.command({"osd-overlay", CardOverlay, "ass-events",
                     audioCardEvents(*m_card, m_picture->width(), m_picture->height()),
                     QByteArray::number(m_picture->width()),
                     QByteArray::number(m_picture->height())});
}

#include "playback/audio_card_mpv.h"

#include <QEvent>
#include <mpv/client.h>

namespace {

// The overlay's number among this client's overlays; the failure line has 2.
constexpr const char* CardOverlay = "1";

} // namespace

AudioCardMpv::AudioCardMpv(mpv_handle* mpv, QWindow* picture) : m_mpv(mpv), m_picture(picture)
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
    const char* keep = card ? "yes" : "no";
    mpv_set_property_async(m_mpv, 0, "force-window", MPV_FORMAT_STRING, &keep);
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
    const char* args[] = {"osd-overlay", CardOverlay, "none", "", nullptr};
    mpv_command_async(m_mpv, 0, args);
    return;
  }
  const QByteArray events = audioCardEvents(*m_card, m_picture->width(), m_picture->height());
  const QByteArray width = QByteArray::number(m_picture->width());
  const QByteArray height = QByteArray::number(m_picture->height());
  const char* args[] = {"osd-overlay", CardOverlay, "ass-events", events.constData(),
                        width.constData(), height.constData(), nullptr};
  mpv_command_async(m_mpv, 0, args);
}

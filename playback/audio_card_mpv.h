#pragma once

#include "playback/audio_card.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <optional>

class MpvSession;

// The audio card over the picture, drawn by the player core as an OSD
// overlay in the picture's own pixels, and drawn again when the picture is
// resized. The core draws OSD only on a video output, so it is told to keep
// one also while an item without a picture plays.
class AudioCardMpv : public QObject {
  Q_OBJECT
public:
  AudioCardMpv(MpvSession& session, QWindow* picture);

  // The card to show; none while a picture or cover art shows, or nothing is loaded.
  void show(const std::optional<AudioCard>& card);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void draw();

  MpvSession& m_session;
  QPointer<QWindow> m_picture;
  std::optional<AudioCard> m_card;
};

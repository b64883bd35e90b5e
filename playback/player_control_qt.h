#pragma once

#include "core/player_controls.h"
#include "playback/player_view_qt.h"

#include <QPointer>
#include <QTimer>
#include <memory>

class AudioCardMpv;
class EngineMpv;

// The player control as a person sees it: the engine's picture with the
// control bar below, and the audio card over the picture of an item without
// one. It shows what the engine tells and hands on what a person does with
// it (PlayerControls); the player's logic decides what that means.
class PlayerControlQt : public PlayerControls {
  Q_OBJECT
public:
  explicit PlayerControlQt(EngineMpv& engine);
  ~PlayerControlQt() override;

  // For the window to place and size; the window owns it once placed.
  PlayerViewQt* view() const { return m_view; }

private:
  void forwardRequests();
  void followEngine();
  void stateChanged(int state);
  void showMarks();
  void showTimes();
  void showTracks();
  void showItem();

  EngineMpv& m_engine;
  QPointer<PlayerViewQt> m_view;
  std::unique_ptr<AudioCardMpv> m_audioCard;
  QTimer m_clock; // the bar's time while an item runs
};

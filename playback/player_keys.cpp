#include "playback/player_keys.h"

PlayerKey playerKey(int key, Qt::KeyboardModifiers modifiers)
{
  // The keypad's arrows are arrows.
  modifiers &= ~Qt::KeypadModifier;
  if (modifiers == Qt::ShiftModifier) {
    switch (key) {
    case Qt::Key_Left: return PlayerKey::StepBack;
    case Qt::Key_Right: return PlayerKey::StepForward;
    // Some keyboards have the brackets and # on a shifted key.
    case Qt::Key_BracketLeft: return PlayerKey::Slower;
    case Qt::Key_BracketRight: return PlayerKey::Faster;
    case Qt::Key_NumberSign: return PlayerKey::NextAudioTrack;
    default: return PlayerKey::None;
    }
  }
  if (modifiers != Qt::NoModifier)
    return PlayerKey::None;
  switch (key) {
  case Qt::Key_Space: return PlayerKey::PlayPause;
  case Qt::Key_Left: return PlayerKey::SeekBack;
  case Qt::Key_Right: return PlayerKey::SeekForward;
  case Qt::Key_Home: return PlayerKey::StartOver;
  case Qt::Key_Up: return PlayerKey::VolumeUp;
  case Qt::Key_Down: return PlayerKey::VolumeDown;
  case Qt::Key_M: return PlayerKey::Mute;
  case Qt::Key_F: return PlayerKey::FullScreen;
  case Qt::Key_Escape: return PlayerKey::LeaveFullScreen;
  case Qt::Key_BracketLeft: return PlayerKey::Slower;
  case Qt::Key_BracketRight: return PlayerKey::Faster;
  case Qt::Key_Backspace: return PlayerKey::NormalSpeed;
  case Qt::Key_NumberSign: return PlayerKey::NextAudioTrack;
  case Qt::Key_J: return PlayerKey::NextSubtitle;
  case Qt::Key_V: return PlayerKey::ToggleSubtitles;
  default: return PlayerKey::None;
  }
}

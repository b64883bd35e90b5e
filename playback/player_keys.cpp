#include "playback/player_keys.h"

const std::vector<KeyBinding>& playerKeyMap()
{
  using enum PlayerKey;
  static const std::vector<KeyBinding> map{
      {Qt::Key_Space, Qt::NoModifier, PlayPause},
      {Qt::Key_Left, Qt::NoModifier, SeekBack},
      {Qt::Key_Right, Qt::NoModifier, SeekForward},
      {Qt::Key_Left, Qt::ShiftModifier, StepBack},
      {Qt::Key_Right, Qt::ShiftModifier, StepForward},
      {Qt::Key_Home, Qt::NoModifier, StartOver},
      {Qt::Key_Up, Qt::NoModifier, VolumeUp},
      {Qt::Key_Down, Qt::NoModifier, VolumeDown},
      {Qt::Key_M, Qt::NoModifier, Mute},
      {Qt::Key_F, Qt::NoModifier, FullScreen},
      {Qt::Key_Escape, Qt::NoModifier, LeaveFullScreen},
      {Qt::Key_BracketLeft, Qt::NoModifier, Slower},
      {Qt::Key_BracketRight, Qt::NoModifier, Faster},
      {Qt::Key_Backspace, Qt::NoModifier, NormalSpeed},
      {Qt::Key_NumberSign, Qt::NoModifier, NextAudioTrack},
      {Qt::Key_J, Qt::NoModifier, NextSubtitle},
      {Qt::Key_V, Qt::NoModifier, ToggleSubtitles},
      {Qt::Key_PageUp, Qt::NoModifier, PreviousChapter},
      {Qt::Key_PageDown, Qt::NoModifier, NextChapter},
      // Some keyboards have the brackets and # on a shifted key.
      {Qt::Key_BracketLeft, Qt::ShiftModifier, Slower},
      {Qt::Key_BracketRight, Qt::ShiftModifier, Faster},
      {Qt::Key_NumberSign, Qt::ShiftModifier, NextAudioTrack},
  };
  return map;
}

PlayerKey playerKey(int key, Qt::KeyboardModifiers modifiers)
{
  // The keypad's arrows are arrows.
  modifiers &= ~Qt::KeypadModifier;
  for (const KeyBinding& binding : playerKeyMap())
    if (binding.key == key && binding.modifiers == modifiers)
      return binding.action;
  return PlayerKey::None;
}

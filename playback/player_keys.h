#pragma once

#include <Qt>

// The keys of the player, which work whenever the main window is active.
// Combinations with Ctrl or Alt are never the player's: they belong to the
// window (Ctrl+O, Ctrl+U).
enum class PlayerKey {
  None,
  PlayPause,       // Space
  SeekBack,        // Left: 5 s
  SeekForward,     // Right
  StepBack,        // Shift+Left: 1 s
  StepForward,     // Shift+Right
  StartOver,       // Home: a resumed video from its start
  VolumeUp,        // Up
  VolumeDown,      // Down
  Mute,            // M
  FullScreen,      // F
  LeaveFullScreen, // Esc
  Slower,          // [
  Faster,          // ]
  NormalSpeed,     // Backspace
  NextAudioTrack,  // #
  NextSubtitle,    // J, then 关闭
  ToggleSubtitles, // V
};

PlayerKey playerKey(int key, Qt::KeyboardModifiers modifiers);

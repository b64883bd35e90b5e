#pragma once

#include <Qt>
#include <vector>

// The keys of the player, which work whenever the main window is active.
// Combinations with Ctrl or Alt are never the player's: they belong to the
// window (Ctrl+O, Ctrl+U).
enum class PlayerKey {
  None,
  PlayPause,
  SeekBack,        // 5 s
  SeekForward,
  StepBack,        // 1 s
  StepForward,
  StartOver,       // a resumed video from its start
  VolumeUp,
  VolumeDown,
  Mute,
  FullScreen,
  LeaveFullScreen,
  Slower,
  Faster,
  NormalSpeed,
  NextAudioTrack,
  NextSubtitle,    // then 关闭
  ToggleSubtitles,
  PreviousChapter,
  NextChapter,
};

// One key of the map: the key, the modifiers it takes (the keypad's aside),
// and what it does.
struct KeyBinding {
  int key;
  Qt::KeyboardModifiers modifiers;
  PlayerKey action;
};

// The one map of the player's keys, in the order a list of them reads.
const std::vector<KeyBinding>& playerKeyMap();

// The action of a key press; None when it is no key of the player's.
PlayerKey playerKey(int key, Qt::KeyboardModifiers modifiers);

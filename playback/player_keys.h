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
  // Screenshots, the A-B loop, frames and subtitle timing (precise_actions.cpp).
  Screenshot,
  ScreenshotWithoutSubtitles,
  LoopPoint,       // A, then B, then none
  FrameForward,
  FrameBack,
  SubtitlesEarlier,
  SubtitlesLater,
  SubtitleDelayReset,
  KeyCard,
  // Chapters (player_actions.cpp).
  PreviousChapter,
  NextChapter,
};

// Where a key stands on the key card, in the card's order.
enum class KeyGroup { Playback, Seeking, Volume, SubtitlesAndAudio, Picture, Window };

// One key of the map: the key, the modifiers it takes (the keypad's aside),
// what it does, and how the key card lists it.
struct KeyBinding {
  int key;
  Qt::KeyboardModifiers modifiers;
  PlayerKey action;
  KeyGroup group;
  const char* words; // UTF-8
};

// The one map of the player's keys, in the order a list of them reads.
const std::vector<KeyBinding>& playerKeyMap();

// The action of a key press; None when it is no key of the player's.
PlayerKey playerKey(int key, Qt::KeyboardModifiers modifiers);

// Shift, Ctrl, Alt and the like, pressed alone: no key of their own.
bool isModifierKey(int key);

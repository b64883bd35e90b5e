#include "playback/player_keys.h"

const std::vector<KeyBinding>& playerKeyMap()
{
  using enum PlayerKey;
  using enum KeyGroup;
  constexpr Qt::KeyboardModifiers Plain = Qt::NoModifier, Shift = Qt::ShiftModifier;
  static const std::vector<KeyBinding> map{
      {Qt::Key_Space, Plain, PlayPause, Playback, "播放/暂停"},
      {Qt::Key_Left, Plain, SeekBack, Seeking, "后退 5 秒"},
      {Qt::Key_Right, Plain, SeekForward, Seeking, "前进 5 秒"},
      {Qt::Key_Left, Shift, StepBack, Seeking, "后退 1 秒"},
      {Qt::Key_Right, Shift, StepForward, Seeking, "前进 1 秒"},
      {Qt::Key_Home, Plain, StartOver, Seeking, "从头播放"},
      {Qt::Key_Up, Plain, VolumeUp, Volume, "音量加大"},
      {Qt::Key_Down, Plain, VolumeDown, Volume, "音量减小"},
      {Qt::Key_M, Plain, Mute, Volume, "静音/取消静音"},
      {Qt::Key_F, Plain, FullScreen, Window, "全屏/退出全屏"},
      {Qt::Key_Escape, Plain, LeaveFullScreen, Window, "退出全屏"},
      {Qt::Key_BracketLeft, Plain, Slower, Playback, "减慢 0.1×"},
      {Qt::Key_BracketRight, Plain, Faster, Playback, "加快 0.1×"},
      {Qt::Key_Backspace, Plain, NormalSpeed, Playback, "恢复正常速度"},
      {Qt::Key_NumberSign, Plain, NextAudioTrack, SubtitlesAndAudio, "下一条音轨"},
      {Qt::Key_J, Plain, NextSubtitle, SubtitlesAndAudio, "下一条字幕（最后关闭）"},
      {Qt::Key_V, Plain, ToggleSubtitles, SubtitlesAndAudio, "显示/隐藏字幕"},
      {Qt::Key_S, Plain, Screenshot, Picture, "截图（含字幕）"},
      {Qt::Key_S, Shift, ScreenshotWithoutSubtitles, Picture, "截图（不含字幕）"},
      {Qt::Key_L, Plain, LoopPoint, Playback, "A-B 循环：起点、终点、取消"},
      {Qt::Key_Comma, Plain, FrameBack, Seeking, "上一帧（暂停）"},
      {Qt::Key_Period, Plain, FrameForward, Seeking, "下一帧（暂停）"},
      {Qt::Key_Z, Plain, SubtitlesEarlier, SubtitlesAndAudio, "字幕提前 0.1 秒"},
      {Qt::Key_X, Plain, SubtitlesLater, SubtitlesAndAudio, "字幕推迟 0.1 秒"},
      {Qt::Key_Backspace, Shift, SubtitleDelayReset, SubtitlesAndAudio, "字幕延迟归零"},
      {Qt::Key_PageUp, Plain, PreviousChapter, Seeking, "上一章"},
      {Qt::Key_PageDown, Plain, NextChapter, Seeking, "下一章"},
      {Qt::Key_Question, Shift, KeyCard, Window, "按键说明"},
      {Qt::Key_F1, Plain, KeyCard, Window, "按键说明"},
      // Some keyboards have the brackets, #, the comma, the full stop and the
      // question mark on a shifted key, others not.
      {Qt::Key_BracketLeft, Shift, Slower, Playback, "减慢 0.1×"},
      {Qt::Key_BracketRight, Shift, Faster, Playback, "加快 0.1×"},
      {Qt::Key_NumberSign, Shift, NextAudioTrack, SubtitlesAndAudio, "下一条音轨"},
      {Qt::Key_Comma, Shift, FrameBack, Seeking, "上一帧（暂停）"},
      {Qt::Key_Period, Shift, FrameForward, Seeking, "下一帧（暂停）"},
      {Qt::Key_Question, Plain, KeyCard, Window, "按键说明"},
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

bool isModifierKey(int key)
{
  switch (key) {
  case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_AltGr:
  case Qt::Key_Meta: case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_CapsLock:
  case Qt::Key_NumLock: case Qt::Key_Hyper_L: case Qt::Key_Hyper_R:
    return true;
  default:
    return false;
  }
}

#include "playback/clock_text.h"
#include "playback/key_card.h"
#include "playback/on_screen_notes.h"
#include "playback/play_speed.h"
#include "playback/player_keys.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(PlayerKeys, PlainKeysAndShiftedArrowsAreThePlayers)
{
  EXPECT_EQ(playerKey(Qt::Key_Right, Qt::NoModifier), PlayerKey::SeekForward);
  EXPECT_EQ(playerKey(Qt::Key_Left, Qt::KeypadModifier), PlayerKey::SeekBack);
  EXPECT_EQ(playerKey(Qt::Key_Right, Qt::ShiftModifier), PlayerKey::StepForward);
  EXPECT_EQ(playerKey(Qt::Key_Left, Qt::ShiftModifier | Qt::KeypadModifier), PlayerKey::StepBack);
  EXPECT_EQ(playerKey(Qt::Key_BracketLeft, Qt::NoModifier), PlayerKey::Slower);
  EXPECT_EQ(playerKey(Qt::Key_BracketRight, Qt::ShiftModifier), PlayerKey::Faster);
  EXPECT_EQ(playerKey(Qt::Key_Backspace, Qt::NoModifier), PlayerKey::NormalSpeed);
  EXPECT_EQ(playerKey(Qt::Key_Space, Qt::ShiftModifier), PlayerKey::None);
}

TEST(PlayerKeys, TheWindowsShortcutsAndOtherCombinationsAreLeftAlone)
{
  for (int key : {int(Qt::Key_O), int(Qt::Key_U), int(Qt::Key_Right), int(Qt::Key_M)}) {
    EXPECT_EQ(playerKey(key, Qt::ControlModifier), PlayerKey::None) << key;
    EXPECT_EQ(playerKey(key, Qt::AltModifier), PlayerKey::None) << key;
    EXPECT_EQ(playerKey(key, Qt::ControlModifier | Qt::ShiftModifier), PlayerKey::None) << key;
  }
  EXPECT_EQ(playerKey(Qt::Key_O, Qt::NoModifier), PlayerKey::None);
}

TEST(PlaySpeed, TenthsOfNormalSpeedWithinBounds)
{
  double speed = PlaySpeed::Normal;
  for (double expected : {1.1, 1.2, 1.3}) {
    speed = PlaySpeed::faster(speed);
    EXPECT_DOUBLE_EQ(speed, expected);
  }
  for (double expected : {1.2, 1.1, 1.0, 0.9}) {
    speed = PlaySpeed::slower(speed);
    EXPECT_NEAR(speed, expected, 1e-9);
  }
  EXPECT_NEAR(PlaySpeed::faster(1.15), 1.2, 1e-9) << "a speed set from outside steps onto the tenths";
  EXPECT_NEAR(PlaySpeed::slower(1.15), 1.1, 1e-9);
  EXPECT_DOUBLE_EQ(PlaySpeed::slower(0.3), 0.25);
  EXPECT_DOUBLE_EQ(PlaySpeed::slower(0.25), 0.25);
  EXPECT_NEAR(PlaySpeed::faster(0.25), 0.3, 1e-9);
  EXPECT_DOUBLE_EQ(PlaySpeed::faster(4.0), 4.0);
  EXPECT_DOUBLE_EQ(PlaySpeed::bounded(std::numeric_limits<double>::infinity()), 1.0);
}

TEST(OnScreenNotes, ShortChineseNotes)
{
  EXPECT_EQ(OnScreenNotes::volume(55), "音量 55");
  EXPECT_EQ(OnScreenNotes::mute(true), "静音");
  EXPECT_EQ(OnScreenNotes::mute(false), "取消静音");
  EXPECT_EQ(OnScreenNotes::speed(PlaySpeed::faster(1.0)), "速度 1.1×");
  EXPECT_EQ(OnScreenNotes::speed(1.0), "速度 1.0×");
  EXPECT_EQ(OnScreenNotes::speed(0.25), "速度 0.25×");
  // The notes tell the time as the bar does.
  EXPECT_EQ(OnScreenNotes::seek(83.9, 300, true), "▶ 1:23 / 5:00");
  EXPECT_EQ(OnScreenNotes::seek(3, 300, false), "◀ 0:03 / 5:00");
  EXPECT_EQ(OnScreenNotes::seek(310, 300, true), "▶ 5:00 / 5:00") << "a jump past the end";
  EXPECT_EQ(OnScreenNotes::seek(65, 0, true), "▶ 1:05") << "a live stream has no total";
  EXPECT_EQ(OnScreenNotes::seek(3723.9, 7200, true), "▶ 1:02:03 / 2:00:00");
  EXPECT_EQ(clockText(std::nan("")), "0:00");
}

TEST(KeyCard, EveryEntryOfTheKeyMapIsOnTheCardInItsGroup)
{
  const QVector<CardSection> card = KeyCard::sections();
  QStringList headings;
  for (const CardSection& section : card)
    headings << section.heading;
  EXPECT_EQ(headings, (QStringList{"播放", "跳转", "音量", "字幕与音轨", "画面", "窗口"}));
  for (const KeyBinding& binding : playerKeyMap()) {
    const QString key = KeyCard::keyText(binding.key, binding.modifiers);
    const auto onRow = [&](const CardSection::Row& row) {
      return row.left.split(QStringLiteral(" / ")).contains(key)
             && row.right == QString::fromUtf8(binding.words);
    };
    const bool listed = std::any_of(card.begin(), card.end(), [&](const CardSection& section) {
      return std::any_of(section.rows.begin(), section.rows.end(), onRow);
    });
    EXPECT_TRUE(listed) << key.toStdString() << " " << binding.words;
  }
  // A key added to the map is on the card by itself, with a name a person reads.
  const std::vector<KeyBinding> more{{Qt::Key_PageDown, Qt::NoModifier, PlayerKey::None,
                                      KeyGroup::Seeking, "下一章"}};
  EXPECT_EQ(KeyCard::sections(more).front().rows.front().left, "PgDn");
  EXPECT_EQ(KeyCard::keyText(Qt::Key_S, Qt::NoModifier), "s") << "a letter as typed";
  EXPECT_EQ(KeyCard::keyText(Qt::Key_S, Qt::ShiftModifier), "Shift+S");
  EXPECT_EQ(KeyCard::keyText(Qt::Key_Question, Qt::ShiftModifier), "?") << "a symbol as typed";
  EXPECT_EQ(KeyCard::keyText(Qt::Key_Left, Qt::ShiftModifier), "Shift+←");
}

TEST(PlayerKeys, ThePreciseKeysWithAndWithoutShift)
{
  EXPECT_EQ(playerKey(Qt::Key_S, Qt::NoModifier), PlayerKey::Screenshot);
  EXPECT_EQ(playerKey(Qt::Key_S, Qt::ShiftModifier), PlayerKey::ScreenshotWithoutSubtitles);
  EXPECT_EQ(playerKey(Qt::Key_Period, Qt::ShiftModifier), PlayerKey::FrameForward);
  EXPECT_EQ(playerKey(Qt::Key_Backspace, Qt::ShiftModifier), PlayerKey::SubtitleDelayReset);
  EXPECT_EQ(playerKey(Qt::Key_Question, Qt::ShiftModifier), PlayerKey::KeyCard);
  EXPECT_EQ(playerKey(Qt::Key_F1, Qt::NoModifier), PlayerKey::KeyCard);
  EXPECT_EQ(playerKey(Qt::Key_L, Qt::ControlModifier), PlayerKey::None);
  EXPECT_TRUE(isModifierKey(Qt::Key_Shift));
  EXPECT_FALSE(isModifierKey(Qt::Key_S));
}

TEST(OnScreenNotes, LoopFrameAndSubtitleDelayNotes)
{
  EXPECT_EQ(OnScreenNotes::loopStart(62.7), "循环起点 1:02");
  EXPECT_EQ(OnScreenNotes::loop(62, 75), "循环 1:02 – 1:15");
  EXPECT_EQ(OnScreenNotes::frame(3723.04, true), "下一帧 1:02:03.040");
  EXPECT_EQ(OnScreenNotes::frame(0.9999, false), "上一帧 0:01.000");
  EXPECT_EQ(OnScreenNotes::subtitleDelay(-0.30000000000000004), "字幕延迟 −0.3 秒");
  EXPECT_EQ(OnScreenNotes::subtitleDelay(0.1), "字幕延迟 +0.1 秒");
  EXPECT_EQ(OnScreenNotes::subtitleDelay(1e-17), "字幕延迟 0 秒");
}

#include "playback/player_actions.h"

#include "core/player_controls.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "playback/on_screen_notes.h"
#include <gtest/gtest.h>

namespace {

// A video playing in the engine; keys, the bar and the mouse act on it.
class PlayerActionsTest : public testing::Test {
protected:
  FakeEngine engine;
  PlayerControls controls;
  FakeFileDialogs dialogs;
  PlayerActions actions{engine, controls, dialogs};

  void SetUp() override
  {
    engine.item = FakeEngine::video(640, 360, "/films/clip.mp4");
    engine.item->duration = 120;
    engine.state = PlayState::Playing;
    engine.position = 30;
  }
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
  {
    actions.keyPressed(playerKey(key, modifiers));
  }
};

} // namespace

TEST_F(PlayerActionsTest, TheKeysMoveVolumeAndSpeedAndSayWhatTheyDid)
{
  press(Qt::Key_Right);
  EXPECT_EQ(engine.position, 35);
  press(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(engine.position, 34);
  press(Qt::Key_Down);
  press(Qt::Key_M);
  press(Qt::Key_BracketRight);
  press(Qt::Key_Home);
  EXPECT_EQ(engine.position, 0);
  EXPECT_EQ(engine.notes, (QStringList{"▶ 0:35 / 2:00", "◀ 0:34 / 2:00", "音量 45", "静音",
                                       "速度 1.1×", "从头播放"}));
  press(Qt::Key_Backspace);
  EXPECT_EQ(engine.speed, 1.0);
  press(Qt::Key_Space);
  EXPECT_EQ(engine.pauses, 1);

  // A stopped item is not moved, and nothing says it was.
  engine.state = PlayState::Stopped;
  engine.notes.clear();
  press(Qt::Key_Right);
  press(Qt::Key_Home);
  EXPECT_TRUE(engine.notes.isEmpty());
  EXPECT_FALSE(actions.keyPressed(playerKey(Qt::Key_O, Qt::ControlModifier)))
      << "the window's shortcut is not the player's";
}

TEST_F(PlayerActionsTest, FullScreenFromTheKeysAndADoubleClick)
{
  press(Qt::Key_F);
  EXPECT_TRUE(engine.full);
  press(Qt::Key_Escape);
  EXPECT_FALSE(engine.full);
  emit controls.doubleClicked();
  EXPECT_TRUE(engine.full);
  emit controls.doubleClicked();
  EXPECT_FALSE(engine.full);
}

TEST_F(PlayerActionsTest, TheBarAndTheWheelReachTheEngine)
{
  emit controls.playPauseClicked();
  EXPECT_EQ(engine.pauses, 1);
  emit controls.seekRequested(60);
  EXPECT_EQ(engine.position, 60);
  emit controls.scrubRequested(70);
  EXPECT_EQ(engine.scrubs, QVector<double>{70});
  emit controls.volumeRequested(70);
  EXPECT_EQ(engine.vol, 70);
  emit controls.muteClicked();
  EXPECT_TRUE(engine.muted);
  emit controls.wheelTurned(-2);
  EXPECT_EQ(engine.vol, 60);
  EXPECT_EQ(engine.notes.last(), "音量 60");
  emit controls.stopClicked();
  emit controls.nextClicked();
  emit controls.previousClicked();
  EXPECT_EQ(engine.stops + engine.nexts + engine.previouses, 3);
}

TEST_F(PlayerActionsTest, TracksGoRoundAndASubtitleChosenIsShown)
{
  engine.trackList = {{Track::Kind::Audio, 1, "chi", {}, true},
                      {Track::Kind::Audio, 2, "eng", {}, false},
                      {Track::Kind::Subtitle, 1, "chi", {}, false}};
  engine.subtitlesShown = false;
  press(Qt::Key_NumberSign);
  EXPECT_TRUE(engine.trackList[1].selected);
  press(Qt::Key_J);
  EXPECT_TRUE(engine.trackList[2].selected);
  EXPECT_TRUE(engine.subtitlesShown) << "a chosen subtitle is one to be seen";
  press(Qt::Key_V);
  EXPECT_FALSE(engine.subtitlesShown);
  EXPECT_EQ(engine.notes, (QStringList{"音轨 2：英语", "字幕：中文", "隐藏字幕"}));

  engine.trackList.clear();
  press(Qt::Key_V);
  EXPECT_EQ(engine.notes.last(), "没有字幕");
  EXPECT_FALSE(engine.subtitlesShown) << "nothing to show changes nothing";
}

TEST_F(PlayerActionsTest, ASubtitleFileIsAskedForInTheMediasFolder)
{
  dialogs.answerFile = "/films/clip.chs.srt";
  emit controls.subtitleFileWanted();
  ASSERT_EQ(dialogs.calls.size(), 1);
  EXPECT_EQ(dialogs.calls[0].title, "加载字幕文件");
  EXPECT_EQ(engine.subtitleFiles, QStringList{"/films/clip.chs.srt"});
  engine.subtitlesShown = false;
  emit engine.subtitleFileAdded("/films/clip.chs.srt", true);
  EXPECT_TRUE(engine.subtitlesShown);
  EXPECT_TRUE(engine.notes.last().startsWith("字幕：")) << engine.notes.last().toStdString();
  emit engine.subtitleFileAdded("/films/bad.srt", false);
  EXPECT_TRUE(engine.notes.last().startsWith("无法加载字幕："));
}

TEST_F(PlayerActionsTest, PageKeysGoFromChapterToChapterAndSayWhichItIs)
{
  engine.chapterList = {{0, "片头"}, {40, ""}, {80, "⁧Ending"}};
  press(Qt::Key_PageDown);
  EXPECT_EQ(engine.position, 40);
  EXPECT_EQ(engine.notes.last(), "第 2 章 / 共 3 章");
  engine.position = 39.98; // an exact seek may land a frame short
  press(Qt::Key_PageDown);
  EXPECT_EQ(engine.position, 80);
  EXPECT_EQ(engine.notes.last(), "第 3 章 / 共 3 章：⁨⁧Ending⁩");
  const qsizetype notes = engine.notes.size();
  press(Qt::Key_PageDown);
  EXPECT_EQ(engine.position, 80) << "past the last chapter nothing moves";
  EXPECT_EQ(engine.notes.size(), notes);
  // Moments into a chapter PgUp goes to the one before, later to its start.
  engine.position = 82;
  press(Qt::Key_PageUp);
  EXPECT_EQ(engine.position, 40);
  engine.position = 50;
  press(Qt::Key_PageUp);
  EXPECT_EQ(engine.position, 40);
  EXPECT_EQ(engine.notes.last(), "第 2 章 / 共 3 章");
}

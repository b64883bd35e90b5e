#include "playback/player_actions.h"

#include "core/player_controls.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "core/user_dirs.h"
#include "playback/on_screen_notes.h"
#include "playback/screenshots.h"
#include "temporary_files.h"
#include <QFileInfo>
#include <QTemporaryDir>
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

TEST_F(PlayerActionsTest, TheLoopFramesAndSubtitleDelayFromTheKeys)
{
  QVector<double> chosen;
  QObject::connect(&actions, &PlayerActions::subtitleDelayChosen,
                   [&](double seconds) { chosen << seconds; });
  press(Qt::Key_L);
  engine.position = 12; // a seek back before B: the same stretch loops
  press(Qt::Key_L);
  EXPECT_EQ(engine.loop, (LoopPoints{12, 30}));
  press(Qt::Key_L);
  EXPECT_EQ(engine.loop, LoopPoints{});

  press(Qt::Key_Period);
  press(Qt::Key_Comma, Qt::ShiftModifier);
  EXPECT_EQ(engine.frameSteps, (QVector<bool>{true, false}));
  emit engine.frameStepped(11.96);

  press(Qt::Key_X);
  for (int i = 0; i < 4; ++i)
    press(Qt::Key_Z);
  EXPECT_DOUBLE_EQ(engine.delay, -0.3);
  press(Qt::Key_Backspace, Qt::ShiftModifier);
  EXPECT_EQ(engine.delay, 0);
  EXPECT_EQ(engine.speed, 1) << "Shift+Backspace is not Backspace";
  EXPECT_EQ(chosen, (QVector<double>{0.1, 0, -0.1, -0.2, -0.3, 0}));
  EXPECT_EQ(engine.notes.mid(0, 4), (QStringList{"循环起点 0:30", "循环 0:12 – 0:30", "循环已取消",
                                                 "上一帧 0:11.960"}));
  EXPECT_EQ(engine.notes.last(), "字幕延迟 0 秒");

  // A sound has no frames: the key says so.
  engine.item = FakeEngine::audio("/music/song.mp3");
  press(Qt::Key_Period);
  EXPECT_EQ(engine.frameSteps.size(), 2);
  EXPECT_EQ(engine.notes.last(), "没有可逐帧查看的画面");

  // With nothing open the keys do nothing.
  engine.state = PlayState::Stopped;
  engine.notes.clear();
  for (int key : {int(Qt::Key_L), int(Qt::Key_Period), int(Qt::Key_X)})
    press(key);
  EXPECT_TRUE(engine.notes.isEmpty());
  EXPECT_TRUE(engine.frameSteps.size() == 2 && engine.loop == LoopPoints{});
}

TEST_F(PlayerActionsTest, TheKeyCardShowsAndAnyKeyOrClickClosesItDoingNothingElse)
{
  press(Qt::Key_Question, Qt::ShiftModifier);
  ASSERT_TRUE(engine.cardShown());
  EXPECT_EQ(engine.card.size(), 6);
  EXPECT_TRUE(actions.keyPressed(playerKey(Qt::Key_Q, Qt::NoModifier))) << "no player key, taken";
  EXPECT_FALSE(engine.cardShown());
  press(Qt::Key_F1);
  press(Qt::Key_Right);
  EXPECT_FALSE(engine.cardShown());
  EXPECT_EQ(engine.position, 30) << "the key only closed the card";
  press(Qt::Key_F1);
  emit engine.MouseDown(1, 0, 5, 5);
  EXPECT_FALSE(engine.cardShown());
}

TEST(Screenshots, SavedUnderTheMediasNameAndTimeNeverOverAFile)
{
  QTemporaryDir dir;
  FakeEngine engine;
  engine.item = FakeEngine::video(640, 360, QStringLiteral("/films/第1集.final.mkv"));
  engine.state = PlayState::Paused;
  engine.position = 3723.9;
  const QString folder = dir.filePath(QStringLiteral("Pictures/Kelvarino"));
  Screenshots shots(engine, folder);
  const auto take = [&](bool withSubtitles, bool written) {
    shots.take(withSubtitles);
    const QString hidden = engine.screenshots.last().section(u' ', 0, 0);
    EXPECT_TRUE(QFileInfo(hidden).fileName().startsWith(u'.'));
    if (written)
      putContent(hidden, QByteArray::number(engine.screenshots.size()));
    emit engine.screenshotSaved(hidden, written);
  };
  take(true, true);
  take(false, true);
  take(true, false);
  EXPECT_TRUE(engine.screenshots[1].endsWith(" without subtitles"));
  EXPECT_EQ(entriesOf(folder),
            (QStringList{"第1集.final 01-02-03 (2).png", "第1集.final 01-02-03.png"}));
  EXPECT_EQ(contentOf(folder + "/第1集.final 01-02-03.png"), "1") << "not overwritten";
  EXPECT_EQ(engine.notes, (QStringList{"截图已保存：\u2068第1集.final 01-02-03.png\u2069",
                                       "截图已保存：\u2068第1集.final 01-02-03 (2).png\u2069",
                                       "无法保存截图"}));

  // A file where the folder should be: a note, and nothing asked of the engine.
  Screenshots blocked(engine,
                      dir.filePath(QStringLiteral("Pictures/Kelvarino/第1集.final 01-02-03.png")));
  blocked.take(true);
  EXPECT_EQ(engine.screenshots.size(), 3);
  EXPECT_TRUE(engine.notes.last().startsWith("无法保存截图：文件夹")) << engine.notes.last().toStdString();

  EXPECT_EQ(Screenshots::baseName(QStringLiteral("https://host.test/a/.hidden.mp4?x=1"), 5),
            "_hidden 00-00-05");
  EXPECT_EQ(Screenshots::baseName(QStringLiteral("rtsp://camera.test"), 0), "camera 00-00-00");
}

TEST(UserDirs, ThePicturesFolderAsTheDesktopNamesIt)
{
  const QString home = QStringLiteral("/home/u");
  EXPECT_EQ(UserDirs::folderIn("XDG_PICTURES_DIR=\"$HOME/图片\"\n", "XDG_PICTURES_DIR", home),
            "/home/u/图片");
  EXPECT_EQ(UserDirs::folderIn("# x\nXDG_PICTURES_DIR=\"/srv/pics\"\nXDG_PICTURES_DIR=\"pics\"\n",
                               "XDG_PICTURES_DIR", home),
            "/srv/pics") << "a relative path is not allowed";
  EXPECT_EQ(UserDirs::folderIn("XDG_PICTURES_DIR=\"$HOME/a\\\"b\"", "XDG_PICTURES_DIR", home),
            "/home/u/a\"b");
  for (const char* bad : {"XDG_PICTURES_DIR=$HOME/x", "XDG_PICTURES_DIR=\"$(rm -rf ~)\"",
                          "XDG_PICTURES_DIRS=\"/x\"", "XDG_PICTURES_DIR=\"$HOMEx\""})
    EXPECT_EQ(UserDirs::folderIn(bad, "XDG_PICTURES_DIR", home), "") << bad;
}

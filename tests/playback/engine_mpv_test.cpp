#include "playback/control_bar_qt.h"
#include "playback/engine_mpv.h"
#include "playback/playback_failure.h"
#include "playback/observed_properties_mpv.h"
#include "playback/resume_points.h"
#include "playback/track_buttons_qt.h"
#include "playback/video_window_mpv.h"

#include <QKeyEvent>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <mpv/client.h>
#include <vector>

// The engine on real libmpv, real GL (Mesa's software renderer) and a real X
// server. The clips are made with ffmpeg's generators when the suite starts.
namespace {

QTemporaryDir* media = nullptr;

QString mediaPath(const char* name)
{
  return media->filePath(QLatin1String(name));
}

bool ffmpeg(const QStringList& arguments)
{
  QProcess process;
  process.start(QStringLiteral("ffmpeg"), QStringList{"-v", "error", "-y"} + arguments);
  return process.waitForFinished(60000) && process.exitCode() == 0;
}

class EngineMpvTest : public testing::Test {
protected:
  static void SetUpTestSuite()
  {
    qputenv("KELVARINO_MPV_AO", "null");
    media = new QTemporaryDir;
    // Where videos were left goes here, not into the user's own state.
    qputenv("XDG_STATE_HOME", QFile::encodeName(media->path()));
    const QString video = QStringLiteral("testsrc=size=640x360:rate=25:duration=");
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", video + "2", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                        mediaPath("clip.mp4")}));
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", video + "1", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                        mediaPath("short.mp4")}));
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", "testsrc=size=64x36:rate=1:duration=400", "-c:v", "libx264",
                        "-pix_fmt", "yuv420p", mediaPath("long.mp4")}));
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=1", "-metadata",
                        "artist=Artist Name", "-metadata", "title=Song Title", mediaPath("tone.mp3")}));
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=660:duration=1", "-c:a", "flac",
                        "-metadata", "author=Writer Only", mediaPath("author.mkv")}));
    ASSERT_TRUE(ffmpeg({"-f", "lavfi", "-i", video + "2", "-f", "lavfi", "-i", "sine=duration=2",
                        "-f", "lavfi", "-i", "sine=frequency=880:duration=2", "-map", "0", "-map",
                        "1", "-map", "2", "-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "flac",
                        mediaPath("two-audio.mkv")}));
    // A play list as the program writes them: absolute paths, CRLF, no header.
    QFile list(mediaPath("list.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write((mediaPath("short.mp4") + "\r\n" + mediaPath("clip.mp4") + "\r\n").toUtf8());
    QFile songs(mediaPath("songs.m3u"));
    ASSERT_TRUE(songs.open(QIODevice::WriteOnly));
    for (const char* name : {"song1.mp3", "song2.mp3", "song3.mp3", "song4.mp3"}) {
      ASSERT_TRUE(QFile::copy(mediaPath("tone.mp3"), mediaPath(name)));
      songs.write((mediaPath(name) + "\r\n").toUtf8());
    }
  }

  static void TearDownTestSuite()
  {
    delete media;
    media = nullptr;
  }

  void SetUp() override
  {
    engine = std::make_unique<EngineMpv>();
    QObject::connect(engine.get(), &MediaEngine::PlayStateChange, [this](int s) { states.push_back(s); });
    engine->widget()->resize(640, 425);
  }

  void show()
  {
    engine->widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(engine->widget()));
  }

  // Waits until `state` is reported and returns whether it was.
  bool reaches(int state, int timeoutMs = 5000)
  {
    const size_t from = seen;
    const bool reached = QTest::qWaitFor([&] {
      for (size_t i = from; i < states.size(); ++i)
        if (states[i] == state) {
          seen = i + 1;
          return true;
        }
      return false;
    }, timeoutMs);
    return reached;
  }

  // Whether the picture comes to say that `name` could not be played, and why.
  bool says(const QString& name, const QString& reason)
  {
    const QString line = PlaybackFailure::line(name, reason);
    return QTest::qWaitFor([&] { return engine->failureLine() == line; });
  }

  // The picture is a window of its own, embedded in the player control.
  QWindow* video() const
  {
    for (QWindow* window : QGuiApplication::allWindows())
      if (qobject_cast<VideoWindowMpv*>(window))
        return window;
    return nullptr;
  }

  std::unique_ptr<EngineMpv> engine;
  std::vector<int> states;
  size_t seen = 0;
};

TEST_F(EngineMpvTest, OpensPausesResumesAndStops)
{
  // As at start-up: the URL is set before the window shows the control.
  engine->setURL(mediaPath("clip.mp4"));
  EXPECT_EQ(engine->playState(), 9);
  show();
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(states, (std::vector<int>{9, 3}));

  engine->pause();
  ASSERT_TRUE(reaches(2));
  engine->play();
  ASSERT_TRUE(reaches(3));
  engine->stop();
  ASSERT_TRUE(reaches(1));
  EXPECT_EQ(states, (std::vector<int>{9, 3, 2, 3, 1}));
  // Stopped, the item stays current until another is loaded.
  QTest::qWait(200);
  ASSERT_TRUE(engine->currentMedia().has_value());
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("clip.mp4"));
  EXPECT_EQ(engine->currentMedia()->imageSourceWidth, 640);
}

TEST_F(EngineMpvTest, DescribesTheVideoItPlays)
{
  show();
  // The picture takes what the 970-twip control bar leaves.
  EXPECT_EQ(engine->widget()->findChild<ControlBarQt*>()->height(), 65);
  EXPECT_EQ(video()->height(), 425 - 65);
  engine->setURL(mediaPath("clip.mp4"));
  ASSERT_TRUE(reaches(3));
  const std::optional<MediaItem> item = engine->currentMedia();
  ASSERT_TRUE(item);
  EXPECT_EQ(item->imageSourceWidth, 640);
  EXPECT_EQ(item->imageSourceHeight, 360);
  EXPECT_EQ(item->sourceURL, mediaPath("clip.mp4"));
  EXPECT_NEAR(item->duration, 2.0, 0.1);
  EXPECT_EQ(item->title, QString()); // no file name in place of a missing tag
  EXPECT_EQ(engine->URL(), mediaPath("clip.mp4"));
}

TEST_F(EngineMpvTest, AudioHasNoPictureAndGivesItsTags)
{
  show();
  engine->setURL(mediaPath("tone.mp3"));
  ASSERT_TRUE(reaches(3));
  std::optional<MediaItem> item = engine->currentMedia();
  ASSERT_TRUE(item);
  EXPECT_EQ(item->imageSourceWidth, 0);
  EXPECT_EQ(item->imageSourceHeight, 0);
  // The video output that carries the title card neither adds a state nor
  // makes a picture of the audio.
  engine->pause();
  ASSERT_TRUE(reaches(2));
  engine->play();
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(states, (std::vector<int>{10, 9, 3, 2, 3}));
  EXPECT_EQ(engine->currentMedia()->imageSourceWidth, 0);
  EXPECT_EQ(item->getItemInfo("Author"), "Artist Name");
  EXPECT_EQ(item->getItemInfo("Title"), "Song Title");

  engine->setURL(mediaPath("author.mkv"));
  ASSERT_TRUE(reaches(3));
  item = engine->currentMedia();
  ASSERT_TRUE(item);
  EXPECT_EQ(item->author, "Writer Only");
  EXPECT_EQ(item->title, QString());
}

TEST_F(EngineMpvTest, TrackButtonsOfferOnlyWhatTheItemHas)
{
  show();
  const auto buttons = engine->widget()->findChild<TrackButtonsQt*>()->findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 2);
  QToolButton* audio = buttons[0];
  QToolButton* subtitles = buttons[1];
  EXPECT_FALSE(audio->isEnabled());
  EXPECT_FALSE(subtitles->isEnabled()) << "nothing loaded";
  // Each item is held paused, so that its end does not decide the buttons.
  const auto open = [this](const char* name) {
    engine->setURL(mediaPath(name));
    ASSERT_TRUE(reaches(3));
    engine->pause();
    ASSERT_TRUE(reaches(2));
  };
  open("two-audio.mkv");
  EXPECT_TRUE(QTest::qWaitFor([&] { return audio->isEnabled() && subtitles->isEnabled(); }));
  open("clip.mp4"); // no sound at all
  EXPECT_TRUE(QTest::qWaitFor([&] { return !audio->isEnabled() && subtitles->isEnabled(); }));
  open("tone.mp3"); // one track, and no picture to put subtitles on
  QTest::qWait(300);
  EXPECT_FALSE(audio->isEnabled());
  EXPECT_FALSE(subtitles->isEnabled());
}

TEST_F(EngineMpvTest, EndsThenStopsAndPlayStartsTheSameUrlAgain)
{
  show();
  engine->setURL(mediaPath("tone.mp3"));
  ASSERT_TRUE(reaches(3));
  ASSERT_TRUE(reaches(8));
  ASSERT_TRUE(reaches(1));
  // Ended, the item and its tags stay current.
  ASSERT_TRUE(engine->currentMedia().has_value());
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("tone.mp3"));
  EXPECT_EQ(engine->currentMedia()->getItemInfo("Title"), "Song Title");
  engine->play();
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(states, (std::vector<int>{10, 9, 3, 8, 1, 9, 3}));
}

TEST_F(EngineMpvTest, WhatCannotBeOpenedEndsStoppedWithOnlyALineInThePicture)
{
  show();
  engine->setURL(mediaPath("nothing-here.mp4"));
  ASSERT_TRUE(reaches(1));
  EXPECT_TRUE(says("nothing-here.mp4", "文件不存在"));
  engine->setURL(QStringLiteral("http://127.0.0.1:9/x.mp4"));
  ASSERT_TRUE(reaches(1));
  EXPECT_TRUE(says("http://127.0.0.1:9/x.mp4", "服务器拒绝连接")) << engine->failureLine().toStdString();
  EXPECT_EQ(states, (std::vector<int>{10, 9, 1, 9, 1}));
  EXPECT_FALSE(engine->currentMedia().has_value());
  // Nor does an item that played stay current once another was asked for.
  engine->setURL(mediaPath("short.mp4"));
  ASSERT_TRUE(reaches(3));
  engine->setURL(mediaPath("nothing-here.mp4"));
  ASSERT_TRUE(reaches(1));
  EXPECT_FALSE(engine->currentMedia().has_value());
  // Only the player control is on the screen: no dialog, no message.
  int visible = 0;
  for (QWidget* top : QApplication::topLevelWidgets())
    visible += top->isVisible() ? 1 : 0;
  EXPECT_EQ(visible, 1);
}

// A web server that answers /<status>.mp4 with that status and leaves any
// other request unanswered.
class StatusServer : public QTcpServer {
public:
  StatusServer()
  {
    listen(QHostAddress::LocalHost);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* client = nextPendingConnection())
        connect(client, &QTcpSocket::readyRead, client, [client] {
          const QByteArray status = client->readAll().split(' ').value(1).mid(1, 3);
          if (status.toInt() >= 400)
            client->write("HTTP/1.0 " + status + " Refused\r\nContent-Length: 0\r\n\r\n");
          client->flush();
        });
    });
  }
  QString url(const char* path) const
  {
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(QLatin1String(path));
  }
};

TEST_F(EngineMpvTest, AnAddressSaysWhileItOpensAndThenWhatItsServerSaid)
{
  StatusServer server;
  show();
  engine->setURL(server.url("404.mp4"));
  EXPECT_TRUE(says(server.url("404.mp4"), "服务器上没有这个文件"));
  engine->setURL(server.url("403.mp4"));
  EXPECT_TRUE(says(server.url("403.mp4"), "服务器拒绝访问"));
  // A server that never answers: the picture says so from the first moment,
  // and nothing counts as playing.
  engine->setURL(server.url("silent.mp4"));
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return engine->failureLine() == PlaybackFailure::openingLine(server.url("silent.mp4"));
  }));
  QTest::qWait(300);
  EXPECT_EQ(engine->playState(), PlayState::Transitioning);
  engine->stop();
  ASSERT_TRUE(QTest::qWaitFor([&] { return engine->playState() == PlayState::Stopped; }));
  EXPECT_EQ(engine->failureLine(), "");
}

TEST_F(EngineMpvTest, AListNamesItsBadItemAndGoesOnToTheNext)
{
  QFile list(mediaPath("bad-then-good.m3u"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write((mediaPath("not-media.mp4") + "\r\n" + mediaPath("clip.mp4") + "\r\n").toUtf8());
  list.close();
  QFile text(mediaPath("not-media.mp4"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("just text\n");
  text.close();
  QFile empty(mediaPath("empty.m3u"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.write("#EXTM3U\r\n");
  empty.close();

  show();
  engine->setURL(list.fileName());
  ASSERT_TRUE(reaches(3));
  // The line names the item that failed, not the list, and outlasts the
  // start of the next a little, so that it can be read.
  EXPECT_TRUE(says("not-media.mp4", "不是媒体文件或格式不受支持"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return engine->failureLine().isEmpty(); }, 5000));

  // A list with no items at all ends without a failure of an item.
  engine->setURL(empty.fileName());
  ASSERT_TRUE(reaches(1));
  EXPECT_TRUE(says("empty.m3u", "播放列表中没有可播放的项目"));
}

TEST_F(EngineMpvTest, ReadyOnceAndPlayWithNothingLoadedDoesNothing)
{
  show();
  ASSERT_TRUE(reaches(10));
  engine->play();
  QTest::qWait(200);
  EXPECT_EQ(states, (std::vector<int>{10}));
}

TEST_F(EngineMpvTest, PlaysAnM3uListItemAfterItem)
{
  show();
  engine->setURL(mediaPath("list.m3u"));
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("short.mp4"));
  ASSERT_TRUE(reaches(8));
  ASSERT_TRUE(reaches(9));
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("clip.mp4"));
  EXPECT_EQ(engine->URL(), mediaPath("list.m3u"));
  // Play after a stop plays the item that was stopped, not the list's first.
  engine->stop();
  ASSERT_TRUE(reaches(1));
  engine->play();
  ASSERT_TRUE(reaches(3));
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("clip.mp4"));
  EXPECT_LT(engine->currentPosition(), 1.0);
}

TEST_F(EngineMpvTest, LoopKeepsASingleFilePlayingPastItsEnd)
{
  show();
  engine->setURL(mediaPath("short.mp4"));
  ASSERT_TRUE(reaches(3));
  engine->setMode("loop", true);
  EXPECT_TRUE(engine->getMode("loop"));
  QTest::qWait(1800);
  EXPECT_EQ(engine->playState(), 3);
  EXPECT_TRUE(std::find(states.begin(), states.end(), 1) == states.end());
  engine->setMode("loop", false);
  EXPECT_FALSE(engine->getMode("loop"));
  ASSERT_TRUE(reaches(1));
}

TEST_F(EngineMpvTest, ShuffleOnAPlayingListStillPlaysEveryItemOnce)
{
  show();
  QStringList played;
  QObject::connect(engine.get(), &MediaEngine::PlayStateChange, [&](int state) {
    if (state == 3)
      played << engine->currentMedia()->sourceURL;
    if (played.size() == 1 && !engine->getMode("shuffle"))
      engine->setMode("shuffle", true);
  });
  engine->setURL(mediaPath("songs.m3u"));
  ASSERT_TRUE(reaches(1, 10000));
  played.sort();
  EXPECT_EQ(played, QStringList({mediaPath("song1.mp3"), mediaPath("song2.mp3"), mediaPath("song3.mp3"),
                                 mediaPath("song4.mp3")}));
}

TEST_F(EngineMpvTest, VolumeStaysWithinItsRange)
{
  QSignalSpy changed(engine.get(), &MediaEngine::volumeChanged);
  EXPECT_EQ(engine->volume(), 50);
  engine->setVolume(150);
  EXPECT_EQ(engine->volume(), 100);
  engine->setVolume(-5);
  EXPECT_EQ(engine->volume(), 0);
  engine->setVolume(0);
  ASSERT_EQ(changed.size(), 2);
  EXPECT_EQ(changed[0][0].toInt(), 100);
  EXPECT_EQ(changed[1][0].toInt(), 0);
  engine->setMute(true);
  EXPECT_TRUE(engine->mute());
}

TEST_F(EngineMpvTest, APressOnThePictureIsReportedWithButtonAndShiftState)
{
  show();
  QSignalSpy pressed(engine.get(), &MediaEngine::MouseDown);
  QTest::mousePress(video(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(30, 40));
  QTest::mouseRelease(video(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(30, 40));
  ASSERT_EQ(pressed.size(), 1);
  EXPECT_EQ(pressed[0][0].toInt(), 2);
  EXPECT_EQ(pressed[0][1].toInt(), 1 | 2);
  EXPECT_EQ(pressed[0][2].toFloat(), 30.f);
  EXPECT_EQ(pressed[0][3].toFloat(), 40.f);
  // The control has no menu of its own to show.
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(EngineMpvTest, KeysOnThePlayerDriveIt)
{
  show();
  engine->setURL(mediaPath("clip.mp4"));
  ASSERT_TRUE(reaches(3));
  QWidget* player = engine->widget();
  QTest::keyClick(player, Qt::Key_Down);
  EXPECT_EQ(engine->volume(), 45);
  QTest::keyClick(player, Qt::Key_M);
  EXPECT_TRUE(engine->mute());
  QSignalSpy jumped(engine.get(), &MediaEngine::positionJumped);
  QTest::keyClick(player, Qt::Key_Right);
  // The jump is announced once libmpv has taken it.
  ASSERT_TRUE(QTest::qWaitFor([&] { return jumped.size() == 1; }));
  EXPECT_NEAR(jumped[0][0].toDouble(), 5.0, 1.0);
  QTest::keyClick(player, Qt::Key_BracketRight);
  QTest::keyClick(player, Qt::Key_BracketRight);
  EXPECT_DOUBLE_EQ(engine->rate(), 1.2);
  QTest::keyClick(player, Qt::Key_BracketLeft);
  EXPECT_NEAR(engine->rate(), 1.1, 1e-9);
  QTest::keyClick(player, Qt::Key_Backspace);
  EXPECT_DOUBLE_EQ(engine->rate(), 1.0);
  // Ctrl and a key is the window's, never the player's.
  QTest::keyClick(player, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(engine->volume(), 45);
  QTest::keyClick(player, Qt::Key_Space);
  ASSERT_TRUE(reaches(2));
}

TEST_F(EngineMpvTest, KeysReachThePlayerWhereverTheFocusIsInItsWindow)
{
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* other = new QPushButton(QStringLiteral("其他"));
  layout->addWidget(engine->widget());
  layout->addWidget(other);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  other->setFocus();
  QTest::keyClick(other, Qt::Key_Up);
  EXPECT_EQ(engine->volume(), 55);
  QTest::keyClick(other, Qt::Key_BracketRight);
  EXPECT_NEAR(engine->rate(), 1.1, 1e-9);
  // Nothing focused: the window itself has the key.
  other->clearFocus();
  QTest::keyClick(&window, Qt::Key_Down);
  EXPECT_EQ(engine->volume(), 50);

  // Another window's keys are its own.
  QWidget elsewhere;
  elsewhere.show();
  QTest::keyClick(&elsewhere, Qt::Key_Down);
  EXPECT_EQ(engine->volume(), 50);
}

TEST_F(EngineMpvTest, ALongVideoLeftHalfWayResumesThereAndHomeStartsOver)
{
  show();
  const QString film = mediaPath("long.mp4");
  engine->setURL(film);
  ASSERT_TRUE(reaches(3));
  QSignalSpy jumped(engine.get(), &MediaEngine::positionJumped);
  engine->setCurrentPosition(200);
  ASSERT_TRUE(QTest::qWaitFor([&] { return jumped.size() == 1; }));
  // Left for another item: the path a second start or the next item takes.
  engine->setURL(mediaPath("tone.mp3"));
  ASSERT_TRUE(reaches(9));
  ASSERT_TRUE(reaches(3));
  const std::optional<double> kept = ResumeStore(ResumeStore::defaultPath()).position(film);
  ASSERT_TRUE(kept.has_value());
  EXPECT_NEAR(*kept, 200, 2);

  engine->setURL(film);
  ASSERT_TRUE(QTest::qWaitFor([&] { return jumped.size() >= 2; }));
  EXPECT_EQ(jumped[1][0].toDouble(), *kept);
  QTest::qWait(200);
  ASSERT_EQ(jumped.size(), 2) << "one jump, one note";
  QTest::keyClick(engine->widget(), Qt::Key_Home);
  ASSERT_TRUE(QTest::qWaitFor([&] { return jumped.size() == 3; }));
  EXPECT_EQ(jumped[2][0].toDouble(), 0);
}

TEST(ObservedPropertiesMpv, ThePositionAndThePictureOutliveTheItemsEnd)
{
  // A stopped or replaced item reports "no position", no video and no tracks
  // before its end-file event: where it was left and what it showed must
  // still be known then.
  ObservedPropertiesMpv properties;
  double seconds = 200;
  const mpv_event_property position{"time-pos", MPV_FORMAT_DOUBLE, &seconds};
  const mpv_event_property none{"time-pos", MPV_FORMAT_NONE, nullptr};
  properties.absorb(ObservedPropertiesMpv::TimePos, position);
  properties.absorb(ObservedPropertiesMpv::TimePos, none);
  EXPECT_EQ(properties.timePos, 0);
  EXPECT_EQ(properties.lastTimePos, 200);

  char* sizeKeys[] = {const_cast<char*>("w"), const_cast<char*>("h")};
  mpv_node sizes[] = {{{.int64 = 640}, MPV_FORMAT_INT64}, {{.int64 = 360}, MPV_FORMAT_INT64}};
  mpv_node_list sizeMap{2, sizes, sizeKeys};
  mpv_node params{{.list = &sizeMap}, MPV_FORMAT_NODE_MAP};
  char* trackKeys[] = {const_cast<char*>("type"), const_cast<char*>("selected")};
  mpv_node trackValues[] = {{{.string = const_cast<char*>("video")}, MPV_FORMAT_STRING},
                            {{.flag = 1}, MPV_FORMAT_FLAG}};
  mpv_node_list trackMap{2, trackValues, trackKeys};
  mpv_node track{{.list = &trackMap}, MPV_FORMAT_NODE_MAP};
  mpv_node_list oneTrack{1, &track, nullptr}, noTracks{0, nullptr, nullptr};
  mpv_node tracks{{.list = &oneTrack}, MPV_FORMAT_NODE_ARRAY};
  mpv_node emptied{{.list = &noTracks}, MPV_FORMAT_NODE_ARRAY};
  const auto change = [](const char* name, mpv_node* node) {
    return mpv_event_property{name, node ? MPV_FORMAT_NODE : MPV_FORMAT_NONE, node};
  };
  properties.absorb(ObservedPropertiesMpv::TrackList, change("track-list", &tracks));
  properties.absorb(ObservedPropertiesMpv::VideoParams, change("video-params", &params));
  properties.absorb(ObservedPropertiesMpv::VideoParams, change("video-params", nullptr));
  properties.absorb(ObservedPropertiesMpv::TrackList, change("track-list", &emptied));
  EXPECT_FALSE(properties.hasPicture);
  EXPECT_EQ(properties.videoWidth, 0);
  EXPECT_TRUE(properties.lastPicture.shown);
  EXPECT_EQ(properties.lastPicture.width, 640);
  EXPECT_EQ(properties.lastPicture.height, 360);
}

TEST_F(EngineMpvTest, FullScreenIsAnnouncedBeforeTheWindowChanges)
{
  show();
  engine->setFullScreen(true);
  EXPECT_FALSE(engine->fullScreen()) << "nothing was ever opened";

  engine->setURL(mediaPath("clip.mp4"));
  ASSERT_TRUE(reaches(3));
  std::vector<std::pair<bool, bool>> announced; // (on, window full screen at that moment)
  QObject::connect(engine.get(), &MediaEngine::fullScreenChanged, [&](bool on) {
    announced.emplace_back(on, engine->widget()->window()->isFullScreen());
  });
  engine->setFullScreen(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return engine->widget()->window()->isFullScreen(); }));
  QTest::keyClick(engine->widget(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !engine->widget()->window()->isFullScreen(); }));
  EXPECT_FALSE(engine->fullScreen());
  EXPECT_EQ(announced, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
}

} // namespace

#include "playback/control_bar_qt.h"
#include "core/full_screen.h"
#include "playback/engine_mpv.h"
#include "playback/player_control_qt.h"
#include "playback/playback_failure.h"
#include "playback/observed_properties_mpv.h"
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
    control = std::make_unique<PlayerControlQt>(*engine);
    QObject::connect(engine.get(), &MediaEngine::PlayStateChange, [this](int s) { states.push_back(s); });
    QObject::connect(engine.get(), &MediaEngine::itemFailed,
                     [this](const QString& source, const ItemFailure& failure) {
                       failures.push_back({source, failure});
                     });
    player()->resize(640, 425);
  }

  void TearDown() override
  {
    // As in the window: the control's picture outlives the engine.
    std::unique_ptr<QWidget> view(player());
    control.reset();
    engine.reset();
  }

  QWidget* player() const { return control->view(); }

  void show()
  {
    player()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(player()));
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

  // The failure the engine tells of `source`, once it has told one.
  std::optional<ItemFailure> failureOf(const QString& source)
  {
    std::optional<ItemFailure> told;
    (void)QTest::qWaitFor([&] {
      for (const auto& [failed, failure] : failures)
        if (failed == source)
          told = failure;
      return told.has_value();
    });
    return told;
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
  std::unique_ptr<PlayerControlQt> control;
  std::vector<int> states;
  std::vector<std::pair<QString, ItemFailure>> failures;
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
  EXPECT_EQ(player()->findChild<ControlBarQt*>()->height(), 65);
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
  const auto buttons = player()->findChild<TrackButtonsQt*>()->findChildren<QToolButton*>();
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
  std::optional<ItemFailure> failure = failureOf(mediaPath("nothing-here.mp4"));
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->cause, ItemFailure::Cause::LoadingFailed);
  engine->setURL(QStringLiteral("http://127.0.0.1:9/x.mp4"));
  ASSERT_TRUE(reaches(1));
  failure = failureOf("http://127.0.0.1:9/x.mp4");
  ASSERT_TRUE(failure);
  EXPECT_TRUE(failure->network.refused) << "the engine's log names what the server did";
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
  for (const char* path : {"404.mp4", "403.mp4"}) {
    engine->setURL(server.url(path));
    const std::optional<ItemFailure> failure = failureOf(server.url(path));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->network.httpStatus, QByteArray(path).left(3).toInt());
  }
  // A server that never answers: the item is told as opening from the first
  // moment, and nothing counts as playing.
  QSignalSpy opening(engine.get(), &MediaEngine::itemOpening);
  engine->setURL(server.url("silent.mp4"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !opening.isEmpty(); }));
  EXPECT_EQ(opening[0][0].toString(), server.url("silent.mp4"));
  QTest::qWait(300);
  EXPECT_EQ(engine->playState(), PlayState::Transitioning);
  engine->stop();
  ASSERT_TRUE(QTest::qWaitFor([&] { return engine->playState() == PlayState::Stopped; }));
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
  // The failure names the item that failed, not the list.
  std::optional<ItemFailure> failure = failureOf(text.fileName());
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->cause, ItemFailure::Cause::UnknownFormat);
  EXPECT_EQ(engine->currentMedia()->sourceURL, mediaPath("clip.mp4"));

  // A list with no items at all ends without a failure of an item: the list failed.
  engine->setURL(empty.fileName());
  ASSERT_TRUE(reaches(1));
  failure = failureOf(empty.fileName());
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->cause, ItemFailure::Cause::UnknownFormat);
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

TEST_F(EngineMpvTest, ASeekIsToldOnceLibmpvHasTakenIt)
{
  show();
  engine->setURL(mediaPath("clip.mp4"));
  ASSERT_TRUE(reaches(3));
  QSignalSpy jumped(engine.get(), &MediaEngine::positionJumped);
  engine->setCurrentPosition(1.5);
  EXPECT_DOUBLE_EQ(engine->currentPosition(), 1.5) << "shown at once";
  ASSERT_TRUE(QTest::qWaitFor([&] { return jumped.size() == 1; }));
  EXPECT_DOUBLE_EQ(jumped[0][0].toDouble(), 1.5);
  engine->setRate(9);
  EXPECT_DOUBLE_EQ(engine->rate(), 4.0) << "kept within its bounds";
}

TEST_F(EngineMpvTest, TellsWhereAnItemWasLeftAndWhenTheNextIsLoaded)
{
  show();
  const QString film = mediaPath("long.mp4");
  QSignalSpy loaded(engine.get(), &MediaEngine::itemLoaded);
  QSignalSpy left(engine.get(), &MediaEngine::itemLeft);
  engine->setURL(film);
  ASSERT_TRUE(reaches(3));
  ASSERT_EQ(loaded.size(), 1);
  EXPECT_EQ(loaded[0][0].toString(), film);
  EXPECT_NEAR(loaded[0][1].toDouble(), 400, 1);
  EXPECT_FALSE(loaded[0][2].toBool());
  engine->setCurrentPosition(200);
  QTest::qWait(300);
  // Left for another item: the path a second start or the next item takes.
  engine->setURL(mediaPath("tone.mp3"));
  ASSERT_TRUE(reaches(9));
  ASSERT_TRUE(reaches(3));
  ASSERT_GE(left.size(), 1);
  EXPECT_EQ(left[0][0].toString(), film);
  EXPECT_NEAR(left[0][1].toDouble(), 200, 2);
  EXPECT_FALSE(left[0][3].toBool()) << "not played to its end";
  ASSERT_TRUE(reaches(8));
  EXPECT_TRUE(left.last()[3].toBool()) << "the tone played to its end";

  // Play after Stop starts the item over on purpose.
  engine->play();
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.size() == 3; }));
  EXPECT_EQ(loaded[2][0].toString(), mediaPath("tone.mp3"));
  EXPECT_FALSE(loaded[2][2].toBool()) << "after its end it is opened anew";
  ASSERT_TRUE(reaches(3));
  engine->stop();
  ASSERT_TRUE(reaches(1));
  engine->play();
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.size() == 4; }));
  EXPECT_TRUE(loaded[3][2].toBool()) << "stopped, it starts over";
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
  using Id = ObservedPropertiesMpv::Id;
  properties.absorb(Id::TimePos, position);
  properties.absorb(Id::TimePos, none);
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
  properties.absorb(Id::TrackList, change("track-list", &tracks));
  properties.absorb(Id::VideoParams, change("video-params", &params));
  properties.absorb(Id::VideoParams, change("video-params", nullptr));
  properties.absorb(Id::TrackList, change("track-list", &emptied));
  EXPECT_FALSE(properties.hasPicture);
  EXPECT_EQ(properties.videoWidth, 0);
  EXPECT_TRUE(properties.lastPicture.shown);
  EXPECT_EQ(properties.lastPicture.width, 640);
  EXPECT_EQ(properties.lastPicture.height, 360);
}

TEST_F(EngineMpvTest, FullScreenIsTheWindowsToSwitch)
{
  struct Host : FullScreenHost {
    bool on = false;
    void setPlayerFullScreen(bool full) override { on = full; }
    bool playerFullScreen() const override { return on; }
  } host;
  engine->setFullScreen(true);
  EXPECT_FALSE(engine->fullScreen()) << "no window to fill";
  engine->setFullScreenHost(&host);
  engine->setFullScreen(true);
  EXPECT_FALSE(host.on) << "nothing was ever opened";
  engine->setURL(mediaPath("clip.mp4"));
  engine->setFullScreen(true);
  EXPECT_TRUE(host.on);
  EXPECT_TRUE(engine->fullScreen());
  engine->setFullScreen(false);
  EXPECT_FALSE(engine->fullScreen());
}

} // namespace

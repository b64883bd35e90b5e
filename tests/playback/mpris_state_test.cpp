#include "form_fixture.h"
#include "core/file_name_bytes.h"
#include "playback/mpris_state.h"

#include <cmath>
#include <limits>

TEST(MprisMapping, PlayStatesBecomeThreeStatuses)
{
  const std::pair<int, const char*> table[] = {
      {PlayState::Undefined, "Stopped"},   {PlayState::Stopped, "Stopped"},
      {PlayState::Paused, "Paused"},       {PlayState::Playing, "Playing"},
      {PlayState::ScanForward, "Playing"}, {PlayState::ScanReverse, "Playing"},
      {PlayState::Waiting, "Playing"},     {PlayState::MediaEnded, "Stopped"},
      {PlayState::Ready, "Stopped"},       {PlayState::Reconnecting, "Playing"}};
  for (const auto& [state, status] : table)
    EXPECT_EQ(Mpris::playbackStatus(state, "Paused"), status) << "state " << state;
  // Opening or waiting for data plays on only what already played.
  for (const int state : {PlayState::Transitioning, PlayState::Buffering}) {
    EXPECT_EQ(Mpris::playbackStatus(state, "Stopped"), "Stopped") << "state " << state;
    EXPECT_EQ(Mpris::playbackStatus(state, "Playing"), "Playing") << "state " << state;
  }
}

TEST(MprisMapping, VolumeRunsFromZeroToOneAndBackWithoutDrift)
{
  for (int v = 0; v <= 100; ++v)
    EXPECT_EQ(Mpris::engineVolumeOf(Mpris::volumeOf(v)), v);
  EXPECT_EQ(Mpris::engineVolumeOf(0.304), 30);
  EXPECT_EQ(Mpris::engineVolumeOf(0.305), 31) << "to the nearest step";
  EXPECT_EQ(Mpris::engineVolumeOf(-0.5), 0);
  EXPECT_EQ(Mpris::engineVolumeOf(1.7), 100) << "the engine goes no louder than 100";
  EXPECT_EQ(Mpris::engineVolumeOf(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(MprisMapping, TimesInMicroseconds)
{
  EXPECT_EQ(Mpris::microseconds(10.031020), 10031020);
  EXPECT_EQ(Mpris::microseconds(-1), 0);
  EXPECT_EQ(Mpris::microseconds(std::numeric_limits<double>::infinity()), 0);
}

TEST(MprisMapping, ALocalItemHasAFileUrlAndItsNameWithoutATitle)
{
  MediaItem item = FakeEngine::audio("/home/me/Music/a b#1 曲.mp3");
  MprisTrack track = Mpris::track(item, "/org/kelvarino/track/4");
  EXPECT_EQ(track.trackId, "/org/kelvarino/track/4");
  EXPECT_EQ(track.length, 10000000);
  EXPECT_EQ(track.url, "file:///home/me/Music/a%20b%231%20%E6%9B%B2.mp3");
  EXPECT_EQ(track.title, "a b#1 曲.mp3");
  EXPECT_TRUE(track.artist.isEmpty()) << "no artist rather than an empty one";

  EXPECT_TRUE(track.artUrl.isEmpty()) << "no cover art, no picture";

  item.title = "Song";
  item.author = "Singer";
  item.album = "Album";
  item.coverArtFile = "/home/me/.cache/Kelvarino/covers/a b.png";
  track = Mpris::track(item, "/org/kelvarino/track/4");
  EXPECT_EQ(track.title, "Song");
  EXPECT_EQ(track.artist, QStringList{"Singer"});
  EXPECT_EQ(track.album, "Album");
  EXPECT_EQ(track.artUrl, "file:///home/me/.cache/Kelvarino/covers/a%20b.png");
}

TEST(MprisMapping, AStreamKeepsItsAddress)
{
  MediaItem item = FakeEngine::audio("http://radio.example/live?x=1");
  item.duration = 0;
  const MprisTrack track = Mpris::track(item, "/org/kelvarino/track/1");
  EXPECT_EQ(track.url, "http://radio.example/live?x=1");
  EXPECT_EQ(track.title, "http://radio.example/live?x=1");
  EXPECT_EQ(track.length, 0);
}

TEST(MprisMapping, OnlyAddressesThePlayerOpensBecomeHandOffCommands)
{
  EXPECT_EQ(Mpris::linkCommand("file:///home/me/a%20%22b%22.mkv"), "/home/me/a \"b\".mkv");
  EXPECT_EQ(Mpris::linkCommand("file://localhost/m/x.mp4"), "/m/x.mp4");
  EXPECT_EQ(encodeFileName(Mpris::linkCommand("file:///m/%B2%E2%E7%89%87.mp4")),
            "/m/\xB2\xE2\xE7\x89\x87.mp4") << "escapes are the name's bytes, UTF-8 or not";
  EXPECT_EQ(Mpris::linkCommand("FILE:///m/x.mp4"), "/m/x.mp4");
  EXPECT_EQ(Mpris::linkCommand("https://example.org/a b.mp4"), "https://example.org/a b.mp4")
      << "other schemes pass as they came";
  EXPECT_EQ(Mpris::linkCommand("rtsp://cam.local/stream"), "rtsp://cam.local/stream");

  EXPECT_EQ(Mpris::linkCommand("file://server/share/x.mp4"), "") << "a file on another host";
  EXPECT_EQ(Mpris::linkCommand("file:relative.mp4"), "");
  EXPECT_EQ(Mpris::linkCommand("GetInfo:/usr/bin/xterm"), "") << "would start a program";
  EXPECT_EQ(Mpris::linkCommand("nor"), "");
  EXPECT_EQ(Mpris::linkCommand("/home/me/a.mp4"), "") << "a path is no URI";
  EXPECT_EQ(Mpris::linkCommand("fd://0"), "") << "the engine's internal schemes are refused";
  EXPECT_EQ(Mpris::linkCommand(""), "");
}

TEST(MprisMapping, TheAssociatedExtensionsGiveTheirMimeTypes)
{
  QStringList types = Mpris::mimeTypes();
  for (const char* type : {"video/mp4", "video/x-matroska", "audio/mpeg", "audio/flac",
                           "audio/x-mpegurl", "application/vnd.apple.mpegurl"})
    EXPECT_TRUE(types.contains(type)) << type;
  EXPECT_EQ(types.removeDuplicates(), 0);
}

class MprisStateTest : public testing::Test {
protected:
  FakeEngine engine;
  MenuModel menus;

  void playing(const MediaItem& item)
  {
    engine.url = item.sourceURL;
    engine.item = item;
    engine.state = PlayState::Playing;
  }
};

TEST_F(MprisStateTest, NothingLoadedOffersNothingButTheVolume)
{
  MprisState state(engine, menus);
  const MprisProperties& p = state.properties();
  EXPECT_EQ(p.PlaybackStatus, "Stopped");
  EXPECT_FALSE(p.Metadata);
  EXPECT_DOUBLE_EQ(p.Volume, 0.5);
  EXPECT_FALSE(p.CanPlay || p.CanPause || p.CanSeek || p.CanGoNext || p.CanGoPrevious);
}

TEST_F(MprisStateTest, RefreshNamesExactlyWhatChanged)
{
  MprisState state(engine, menus);
  playing(FakeEngine::video(640, 360, "/m/a.mp4"));
  engine.place = {1, 3};
  EXPECT_EQ(state.refresh(), (QStringList{"PlaybackStatus", "Metadata", "CanPlay", "CanPause",
                                          "CanSeek", "CanGoNext", "CanGoPrevious"}));
  EXPECT_EQ(state.refresh(), QStringList{}) << "nothing new, nothing to tell";

  engine.state = PlayState::Paused;
  EXPECT_EQ(state.refresh(), QStringList{"PlaybackStatus"});
  engine.vol = 80;
  EXPECT_EQ(state.refresh(), QStringList{"Volume"});
  engine.speed = 1.5;
  EXPECT_EQ(state.refresh(), QStringList{"Rate"});
  engine.position = 3;
  EXPECT_EQ(state.refresh(), QStringList{}) << "the position is read, never announced";

  // The modes are the menu's check marks.
  menus.setChecked(MenuItem::mReplay, true);
  menus.setChecked(MenuItem::mRnd, true);
  EXPECT_EQ(state.refresh(), (QStringList{"LoopStatus", "Shuffle"}));
  EXPECT_EQ(state.properties().LoopStatus, "Playlist");
  EXPECT_TRUE(state.properties().Shuffle);
}

TEST_F(MprisStateTest, EachNewItemGetsANewTrackIdAndTagsKeepIt)
{
  MprisState state(engine, menus);
  playing(FakeEngine::audio("/m/one.mp3"));
  state.refresh();
  const QString first = state.properties().Metadata->trackId;

  engine.item->title = "One";
  EXPECT_EQ(state.refresh(), QStringList{"Metadata"});
  EXPECT_EQ(state.properties().Metadata->trackId, first) << "late tags, same item";

  playing(FakeEngine::audio("/m/two.mp3"));
  state.refresh();
  const QString second = state.properties().Metadata->trackId;
  EXPECT_NE(second, first);
  EXPECT_TRUE(second.startsWith("/org/kelvarino/track/"));

  // A stopped item is still the current one, with nothing to pause, seek or
  // skip until it plays again.
  engine.state = PlayState::Stopped;
  state.refresh();
  const MprisProperties& p = state.properties();
  ASSERT_TRUE(p.Metadata);
  EXPECT_EQ(p.Metadata->trackId, second);
  EXPECT_TRUE(p.CanPlay) << "play starts the last address again";
  EXPECT_FALSE(p.CanPause || p.CanSeek || p.CanGoNext || p.CanGoPrevious);
  state.refresh();
  EXPECT_EQ(state.properties().Metadata->trackId, second) << "the same while it stays stopped";
  playing(FakeEngine::audio("/m/two.mp3"));
  state.refresh();
  EXPECT_NE(state.properties().Metadata->trackId, second) << "played again after a stop";

  engine.item.reset();
  engine.state = PlayState::Stopped;
  state.refresh();
  EXPECT_FALSE(state.properties().Metadata) << "what could not be opened";
}

TEST_F(MprisStateTest, NextAndPreviousAreOfferedOnlyWhereTheyLead)
{
  playing(FakeEngine::audio());
  engine.place = {0, 3};
  MprisState state(engine, menus);
  const MprisProperties& p = state.properties();
  EXPECT_TRUE(p.CanGoNext && !p.CanGoPrevious) << "the first item";
  engine.place = {2, 3};
  EXPECT_EQ(state.refresh(), (QStringList{"CanGoNext", "CanGoPrevious"})) << "the last item";
  EXPECT_FALSE(p.CanGoNext);
  menus.setChecked(MenuItem::mReplay, true);
  engine.place = {0, 1};
  state.refresh();
  EXPECT_TRUE(p.CanGoNext && p.CanGoPrevious) << "repeat starts a single file over";
}

TEST_F(MprisStateTest, PlayPauseDoesWhatTheControlBarsButtonDoes)
{
  MprisState state(engine, menus);
  for (const int s : {PlayState::Playing, PlayState::Paused, PlayState::Stopped,
                      PlayState::Buffering}) {
    engine.state = s;
    state.playPause();
  }
  EXPECT_EQ(engine.pauses, 1);
  EXPECT_EQ(engine.plays, 3);
}

TEST_F(MprisStateTest, SeekStaysWithinTheItemAndRunsPastItsEndToTheNext)
{
  playing(FakeEngine::video(640, 360));
  MprisState state(engine, menus);
  engine.position = 4;
  state.seek(2500000);
  EXPECT_DOUBLE_EQ(engine.position, 6.5);
  state.seek(-60000000);
  EXPECT_DOUBLE_EQ(engine.position, 0) << "before the start is the start";
  state.seek(std::numeric_limits<qint64>::max());
  EXPECT_EQ(engine.nexts, 1);
  EXPECT_DOUBLE_EQ(engine.position, 0);

  engine.item->duration = 0; // a live stream
  state.seek(1000000);
  EXPECT_DOUBLE_EQ(engine.position, 0);
  EXPECT_EQ(engine.nexts, 1);
}

TEST_F(MprisStateTest, SetPositionOnlyForTheCurrentItemAndWithinIt)
{
  playing(FakeEngine::video(640, 360));
  MprisState state(engine, menus);
  const QString id = state.properties().Metadata->trackId;
  state.setPosition("/org/kelvarino/track/999", 2000000);
  EXPECT_DOUBLE_EQ(engine.position, 0) << "a stale track id";
  state.setPosition(id, 10000001);
  state.setPosition(id, -1);
  EXPECT_DOUBLE_EQ(engine.position, 0);
  state.setPosition(id, 7250000);
  EXPECT_DOUBLE_EQ(engine.position, 7.25);
}

TEST_F(MprisStateTest, AVolumeThatIsNoNumberIsIgnored)
{
  MprisState state(engine, menus);
  state.setVolume(0.25);
  EXPECT_EQ(engine.vol, 25);
  state.setVolume(std::nan(""));
  EXPECT_EQ(engine.vol, 25);
}

TEST_F(MprisStateTest, ARateStaysWithinThePlayersSpeedsAndZeroPauses)
{
  MprisState state(engine, menus);
  state.setRate(0.1);
  EXPECT_DOUBLE_EQ(engine.speed, 0.25);
  state.setRate(2);
  EXPECT_DOUBLE_EQ(engine.speed, 2);
  state.setRate(std::nan(""));
  EXPECT_DOUBLE_EQ(engine.speed, 2);
  state.setRate(0);
  EXPECT_DOUBLE_EQ(engine.speed, 2) << "no speed of 0: a client asking for it means pause";
  EXPECT_EQ(engine.pauses, 1);
}

class MprisRequestsTest : public FormTest {
protected:
  void SetUp() override { load(); win().log.clear(); }
  // What happened to the window's state and place in the stacking order.
  QStringList windowMoves() const
  {
    QStringList moves = factory.gui->win.log;
    moves.removeIf([](const QString& e) { return !e.startsWith("state") && e != "front"; });
    return moves;
  }
};

TEST_F(MprisRequestsTest, OpenUriIsASecondStartsHandOff)
{
  win().state = WindowState::Minimized;
  EXPECT_TRUE(form->Mpris_OpenUri("file:///home/me/My%20Clips/a.mkv"));
  EXPECT_EQ(engine().url, "/home/me/My Clips/a.mkv");
  EXPECT_EQ(windowMoves(), (QStringList{"state 0", "front"}));
  EXPECT_TRUE(form->Mpris_OpenUri("http://example.org/live.m3u"));
  EXPECT_EQ(engine().url, "http://example.org/live.m3u");
}

TEST_F(MprisRequestsTest, OpenUriRefusesWhatIsNoAddressAndLeavesAllAlone)
{
  EXPECT_FALSE(form->Mpris_OpenUri("GetInfo:/bin/sh"));
  EXPECT_FALSE(form->Mpris_OpenUri("nor"));
  EXPECT_TRUE(gui().launcher.started.isEmpty());
  EXPECT_TRUE(engine().urls.isEmpty());
  EXPECT_TRUE(win().log.isEmpty());
}

TEST_F(MprisRequestsTest, RaiseBringsAMinimisedWindowBackAndKeepsAMaximisedOne)
{
  win().state = WindowState::Minimized;
  form->Mpris_Raise();
  EXPECT_EQ(windowMoves(), (QStringList{"state 0", "front"}));
  win().log.clear();
  win().state = WindowState::Maximized;
  form->Mpris_Raise();
  EXPECT_EQ(windowMoves(), QStringList{"front"});
}

TEST_F(MprisRequestsTest, QuitClosesTheWindow)
{
  form->Mpris_Quit();
  EXPECT_EQ(win().log, QStringList{"close"});
}

#include "form_fixture.h"

class PlayerEventsTest : public FormTest {
protected:
  void SetUp() override { load(); }

  void play(const MediaItem& item)
  {
    engine().item = item;
    engine().state = PlayState::Playing;
    form->WMP_PlayStateChange(PlayState::Playing);
  }
  void event(int state)
  {
    engine().state = state;
    form->WMP_PlayStateChange(state);
  }
};

TEST_F(PlayerEventsTest, AnAudioItemGetsTheCompactCentredWindowOnce)
{
  win().height = 6000;
  play(FakeEngine::audio("/home/me/m/song.mp3"));
  EXPECT_EQ(win().width, 9165);
  EXPECT_EQ(win().height, 2500);
  EXPECT_EQ(win().top, (win().screenH - 2500) / 2);
  EXPECT_EQ(win().left, (win().screenW - 9165) / 2);
  EXPECT_EQ(win().title, "song.mp3");
  EXPECT_EQ(form->events().MusNor, "1");

  win().width = 12000;
  win().height = 7000;
  event(PlayState::Transitioning);
  play(FakeEngine::audio("/home/me/m/next.mp3"));
  EXPECT_EQ(win().width, 12000) << "the next audio item leaves the user's size alone";
  EXPECT_EQ(win().title, "next.mp3");
}

TEST_F(PlayerEventsTest, AnAudioItemInAWindowAlready2500HighIsLeftAlone)
{
  win().height = 2500;
  win().width = 5000;
  play(FakeEngine::audio());
  EXPECT_EQ(win().width, 5000);
  EXPECT_NE(form->events().MusNor, "1");
}

TEST_F(PlayerEventsTest, AVideoIsPutOnTopBeforeItIsFittedAndFittedOncePerItem)
{
  form->menus.setChecked(MenuItem::mTop, true);
  win().log.clear();
  play(FakeEngine::video(640, 360));
  ASSERT_GE(win().log.size(), 2);
  EXPECT_EQ(win().log[0], "topmost");
  EXPECT_TRUE(win().log[1].startsWith("width")) << win().log.join(", ").toStdString();
  EXPECT_EQ(form->events().ScrNor, "1");
  EXPECT_EQ(form->events().MusNor, "0");

  win().width = 5000;
  event(PlayState::Paused);
  EXPECT_FALSE(win().onTop);
  play(FakeEngine::video(640, 360));
  EXPECT_EQ(win().width, 5000) << "resuming does not fit again";
  EXPECT_FALSE(win().onTop) << "resuming does not restore topmost";

  event(PlayState::Transitioning);
  EXPECT_EQ(form->events().ScrNor, "0");
  play(FakeEngine::video(320, 240, "/media/next.mkv"));
  EXPECT_EQ(win().ScaleWidth(), 320 * 15) << "the next item is fitted";
  EXPECT_TRUE(win().onTop);
}

TEST_F(PlayerEventsTest, AMaximisedWindowIsNeitherFittedNorPutOnTopButStillCaptioned)
{
  form->menus.setChecked(MenuItem::mTop, true);
  win().state = WindowState::Maximized;
  const Twips width = win().width;
  play(FakeEngine::video(640, 360, "/v/movie.mkv"));
  EXPECT_EQ(win().width, width);
  EXPECT_FALSE(win().onTop);
  EXPECT_EQ(win().title, "movie.mkv");
  EXPECT_TRUE(form->keepAwake().TSeelp.isActive());
  EXPECT_TRUE(form->progress().TTask.isActive());
}

TEST_F(PlayerEventsTest, CaptionsFollowTheSource)
{
  MediaItem stream = FakeEngine::video(640, 360, "http://radio.example/live");
  stream.author = "Band";
  stream.title = "Song";
  play(stream);
  EXPECT_EQ(win().title, "Band - Song");

  play(FakeEngine::audio("mms://x/http:/y")); // "http:" anywhere counts
  EXPECT_EQ(win().title, " - ");

  play(FakeEngine::audio("https://site.example/a/b.mp4"));
  EXPECT_EQ(win().title, "https://site.example/a/b.mp4") << "the secure scheme is not http:";

  play(FakeEngine::audio("clip.ogg"));
  EXPECT_EQ(win().title, "clip.ogg");

  // An item that opens or fails is named by its source, not the item before.
  emit engine().itemOpening("http://radio.example/next");
  EXPECT_EQ(win().title, "http://radio.example/next") << "no tags yet";
  emit engine().itemFailed("/films/nope.mp4", ItemFailure{});
  EXPECT_EQ(win().title, "nope.mp4");
}

TEST_F(PlayerEventsTest, NotPlayingStopsKeepAwakeAndClearsTopmostOnlyInANormalWindow)
{
  play(FakeEngine::video(640, 360));
  win().onTop = true;
  for (int state : {PlayState::Stopped, PlayState::Paused, PlayState::MediaEnded,
                    PlayState::Waiting, PlayState::Reconnecting}) {
    form->keepAwake().TSeelp.start();
    win().onTop = true;
    event(state);
    EXPECT_FALSE(form->keepAwake().TSeelp.isActive()) << state;
    EXPECT_FALSE(win().onTop) << state;
    EXPECT_TRUE(form->progress().TTask.isActive()) << "the progress timer stops itself";
  }
  win().state = WindowState::Minimized;
  win().onTop = true;
  event(PlayState::Stopped);
  EXPECT_TRUE(win().onTop);
}

TEST_F(PlayerEventsTest, BufferingKeepsTheTimersAndReadyAlwaysPlays)
{
  play(FakeEngine::audio());
  event(PlayState::Buffering);
  EXPECT_TRUE(form->keepAwake().TSeelp.isActive());
  EXPECT_EQ(form->events().ScrNor, "0");
  event(PlayState::Ready);
  event(PlayState::Ready);
  EXPECT_EQ(engine().plays, 2);
}

TEST_F(PlayerEventsTest, PlayingWithoutAnItemOnlyStartsTheTimers)
{
  engine().item.reset();
  const QStringList before = win().log;
  event(PlayState::Playing);
  EXPECT_EQ(win().log, before);
  EXPECT_TRUE(form->keepAwake().TSeelp.isActive());
}

TEST_F(PlayerEventsTest, OnlyARightPressPopsTheMenuUp)
{
  form->WMP_MouseDown(1, 0, 10, 10);
  form->WMP_MouseDown(4, 0, 10, 10);
  EXPECT_EQ(win().popups, 0);
  form->WMP_MouseDown(2, 2, 10, 10);
  EXPECT_EQ(win().popups, 1);
}

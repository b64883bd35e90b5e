#include "form_fixture.h"

class PlayModesTest : public FormTest {
protected:
  void SetUp() override { load(); }
};

TEST_F(PlayModesTest, TwoClicksOnShuffleLeaveItOffUncheckedAndStoredAsFalse)
{
  form->menuCommand(MenuItem::mRnd);
  EXPECT_TRUE(form->menus.checked(MenuItem::mRnd));
  EXPECT_EQ(setting("mRnd"), "True") << "written at once, not at shutdown";

  form->menuCommand(MenuItem::mRnd);
  EXPECT_FALSE(form->menus.checked(MenuItem::mRnd));
  EXPECT_EQ(setting("mRnd"), "False");
  EXPECT_EQ(engine().modeCalls, (QStringList{"shuffle on", "shuffle off"}));
}

TEST_F(PlayModesTest, RepeatAndShuffleAreIndependentAndReachAListAlreadyPlaying)
{
  engine().url = programFolder() + "/playlist/default.m3u";
  engine().state = PlayState::Playing;
  form->mReplay_Click();
  form->mRnd_Click();
  EXPECT_TRUE(form->menus.checked(MenuItem::mReplay));
  EXPECT_TRUE(form->menus.checked(MenuItem::mRnd));
  EXPECT_EQ(engine().modeCalls, (QStringList{"loop on", "shuffle on"}));
  EXPECT_EQ(engine().urls, QStringList{}) << "the list is not reloaded to apply a mode";
  EXPECT_EQ(settings(), "[Option]\r\nmReplay=True\r\nmRnd=True\r\n");
}

class RestoredModesTest : public FormTest {};

TEST_F(RestoredModesTest, ARestoredModeIsSwitchedOffByTheNextClick)
{
  writeSettings("mReplay=True\r\n");
  load();
  form->mReplay_Click();
  EXPECT_FALSE(form->menus.checked(MenuItem::mReplay));
  EXPECT_EQ(engine().modeCalls, (QStringList{"loop on", "loop off"}));
  EXPECT_EQ(setting("mReplay"), "False");

  // The next start finds it off, as the user left it.
  load();
  EXPECT_FALSE(form->menus.checked(MenuItem::mReplay));
}

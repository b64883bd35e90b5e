#include "form_fixture.h"

#include "playback/play_modes.h"
#include "temporary_files.h"
#include <QTemporaryDir>

// The modes with only the player, the check marks and the settings file.
class PlayModesTest : public testing::Test {
protected:
  QTemporaryDir windows;
  ScopedEnv windir{"windir", QFile::encodeName(windows.path())};
  FakeEngine player;
  MenuModel menus;
  Settings settings;
  PlayModes modes{player, menus, settings};

  QString setting(const QString& key) { return settings.ReadIni(Settings::Option, key); }
  QByteArray file() { return contentOf(windows.filePath("Kelvarino.dat")); }
};

TEST_F(PlayModesTest, TwoClicksOnShuffleLeaveItOffUncheckedAndStoredAsFalse)
{
  modes.mRnd_Click();
  EXPECT_TRUE(menus.checked(MenuItem::mRnd));
  EXPECT_EQ(setting("mRnd"), "True") << "written at once, not at shutdown";

  modes.mRnd_Click();
  EXPECT_FALSE(menus.checked(MenuItem::mRnd));
  EXPECT_EQ(setting("mRnd"), "False");
  EXPECT_EQ(player.modeCalls, (QStringList{"shuffle on", "shuffle off"}));
}

TEST_F(PlayModesTest, RepeatAndShuffleAreIndependentAndReachAListAlreadyPlaying)
{
  player.url = "/opt/kelvarino/playlist/default.m3u";
  player.state = PlayState::Playing;
  modes.mReplay_Click();
  modes.mRnd_Click();
  EXPECT_TRUE(menus.checked(MenuItem::mReplay));
  EXPECT_TRUE(menus.checked(MenuItem::mRnd));
  EXPECT_EQ(player.modeCalls, (QStringList{"loop on", "shuffle on"}));
  EXPECT_EQ(player.urls, QStringList{}) << "the list is not reloaded to apply a mode";
  EXPECT_EQ(file(), "[Option]\r\nmReplay=True\r\nmRnd=True\r\n");
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

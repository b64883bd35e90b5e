#include "presentation/zoom.h"

#include "core/menu_model.h"
#include "core/settings.h"
#include "fake_engine.h"
#include "fake_window.h"
#include "temporary_files.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The zoom with only the ports it uses: the window, the player, the menu's
// check marks and the settings file.
class ZoomTest : public testing::Test {
protected:
  QTemporaryDir windows;
  ScopedEnv windir{"windir", QFile::encodeName(windows.path())};
  FakeWindow window;
  FakeEngine player;
  MenuModel menus;
  Settings settings;
  Zoom zoom{window, player, menus, settings};

  void SetUp() override
  {
    zoom.checkStoredPreset();
    player.state = PlayState::Playing;
    player.item = FakeEngine::video(640, 360);
  }
  FakeWindow& win() { return window; }
  FakeEngine& engine() { return player; }
  QString setting(const QString& key) { return settings.ReadIni(Settings::Option, key); }
  void expectCentred()
  {
    EXPECT_EQ(win().top, (win().screenH - win().height) / 2);
    EXPECT_EQ(win().left, (win().screenW - win().width) / 2);
  }
};

TEST_F(ZoomTest, EachPresetFitsThePictureAndTheControlBarAndCentres)
{
  const std::tuple<void (Zoom::*)(), const char*, Twips, Twips> cases[] = {
      {&Zoom::mZ2_Click, "100%", 9600, 6370},
      {&Zoom::mZ1_Click, "50%", 4800, 3670},
      {&Zoom::mZ3_Click, "200%", 19200, 11770},
  };
  for (const auto& [click, value, clientW, clientH] : cases) {
    (zoom.*click)();
    EXPECT_EQ(win().ScaleWidth(), clientW) << value;
    EXPECT_EQ(win().ScaleHeight(), clientH) << value;
    expectCentred();
    EXPECT_EQ(setting("zoom"), value);
  }
}

TEST_F(ZoomTest, TheWidthIsSetFirstAndTheHeightUsesTheFrameAsItIsThen)
{
  // A window manager that gives the title bar two lines once the window is narrow.
  win().onResize = [this] { win().frameTop = win().width < 6000 ? 750 : 375; };
  win().log.clear();
  zoom.mZ1_Click();
  EXPECT_TRUE(win().log[0].startsWith("width"));
  EXPECT_EQ(win().ScaleHeight(), 3670);
}

TEST_F(ZoomTest, AnOddWidthKeepsItsHalfPixelAtHalfSize)
{
  engine().item = FakeEngine::video(641, 361);
  zoom.mZ1_Click();
  EXPECT_FLOAT_EQ(win().ScaleWidth(), 4807.5f);
  EXPECT_FLOAT_EQ(win().ScaleHeight(), 180.5f * 15 + 970);
}

TEST_F(ZoomTest, APictureLargerThanTheScreenIsCentredPastItsEdges)
{
  engine().item = FakeEngine::video(1920, 1080);
  zoom.mZ3_Click();
  EXPECT_EQ(win().ScaleWidth(), 1920 * 30);
  EXPECT_LT(win().left, 0);
  EXPECT_LT(win().top, 0);
  expectCentred();
}

TEST_F(ZoomTest, WindowSizeLeavesTheWindowWhereItIs)
{
  win().left = 100;
  win().top = 200;
  const Twips width = win().width;
  zoom.mZ4_Click();
  EXPECT_EQ(win().left, 100);
  EXPECT_EQ(win().top, 200);
  EXPECT_EQ(win().width, width);
  EXPECT_EQ(setting("zoom"), "0");
  EXPECT_TRUE(menus.checked(MenuItem::mZ4));
  EXPECT_FALSE(menus.checked(MenuItem::mZ2));
}

TEST_F(ZoomTest, APresetChosenWhileNotPlayingOrForAudioOnlyMovesTheCheckMark)
{
  const QStringList before = win().log;
  engine().state = PlayState::Paused;
  zoom.mZ3_Click();
  engine().state = PlayState::Playing;
  engine().item = FakeEngine::audio();
  zoom.mZ1_Click();
  EXPECT_EQ(win().log, before);
  EXPECT_TRUE(menus.checked(MenuItem::mZ1));
  EXPECT_EQ(setting("zoom"), "50%");
}

TEST_F(ZoomTest, AMinimisedOrMaximisedWindowIsNotResized)
{
  for (int state : {WindowState::Minimized, WindowState::Maximized}) {
    win().state = state;
    const QStringList before = win().log;
    zoom.CallZoom();
    EXPECT_EQ(win().log, before);
  }
}

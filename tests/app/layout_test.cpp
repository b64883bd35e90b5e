#include "form_fixture.h"

#include "app/tiling_desktop.h"

class LayoutTest : public FormTest {
protected:
  void SetUp() override { load(); }
};

TEST_F(LayoutTest, ThePlayerFollowsTheWindowState)
{
  form->Form_Resize();
  EXPECT_EQ(win().playerWidth, win().ScaleWidth());
  EXPECT_EQ(win().playerHeight, win().ScaleHeight());

  win().state = WindowState::Maximized;
  form->Form_Resize();
  EXPECT_EQ(win().playerWidth, win().width);
  EXPECT_EQ(win().playerHeight, win().height - 1000);
  EXPECT_FALSE(engine().full) << "nothing was ever opened";

  engine().state = PlayState::Stopped;
  form->Form_Resize();
  EXPECT_TRUE(engine().full);

  win().state = WindowState::Minimized;
  win().playerWidth = 123;
  form->Form_Resize();
  EXPECT_EQ(win().playerWidth, 123);
}

TEST_F(LayoutTest, ATilingDesktopsMaximisedTileIsLaidOutAsANormalWindow)
{
  start.tilingDesktop = true;
  load();
  engine().state = PlayState::Playing;
  win().state = WindowState::Maximized;
  form->Form_Resize();
  EXPECT_EQ(win().playerHeight, win().ScaleHeight());
  EXPECT_FALSE(engine().full) << "no person asked for full screen";
}

TEST(TilingDesktop, ToldByTheManagersSocketsOrTheSessionsDesktopNames)
{
  QProcessEnvironment env;
  env.insert("XDG_CURRENT_DESKTOP", "GNOME:swayfx");
  EXPECT_FALSE(tilingDesktop(env));
  env.insert("XDG_CURRENT_DESKTOP", "wlroots:Sway");
  EXPECT_TRUE(tilingDesktop(env));
  env.clear();
  env.insert("I3SOCK", "/run/i3.sock");
  EXPECT_TRUE(tilingDesktop(env));
}

TEST_F(LayoutTest, OnlyCtrlOOpensTheOpenDialog)
{
  form->Form_KeyDown(79, 3); // Ctrl+Shift+O
  form->Form_KeyDown(79, 4); // Alt+O
  form->Form_KeyDown(80, 2); // Ctrl+P
  EXPECT_TRUE(gui().files.calls.isEmpty());
  form->Form_KeyDown(79, 2);
  ASSERT_EQ(gui().files.calls.size(), 1);
  EXPECT_EQ(gui().files.calls[0].title, "打开");
}

TEST_F(LayoutTest, ClosingSavesTheVolumeAndOnlyInWindowSizeModeTheRectangle)
{
  writeSettings("zoom=100%\r\nmove=1,2,3,4\r\n");
  engine().vol = 35;
  form->Form_Unload();
  EXPECT_EQ(settings(), "[Option]\r\nzoom=100%\r\nmove=1,2,3,4\r\nVolume=35\r\n");

  writeSettings("zoom=0\r\n");
  win().left = 1200;
  win().top = 900;
  win().width = 9300;
  win().height = 6000;
  form->Form_Unload();
  EXPECT_EQ(setting("move"), "1200,900,9300,6000");

  win().left = -4807.5f;
  form->Form_Unload();
  const QStringList parts = setting("move").split(',');
  ASSERT_EQ(parts.size(), 4);
  EXPECT_EQ(parts[0].toFloat(), -4807.5f);
}

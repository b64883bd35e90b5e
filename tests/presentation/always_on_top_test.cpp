#include "form_fixture.h"

#include <QRegularExpression>

class AlwaysOnTopTest : public FormTest {
protected:
  void SetUp() override { load(); }
  QStringList bandChanges() const
  {
    return factory.gui->win.log.filter(QRegularExpression("^(no-)?topmost$"));
  }
};

TEST_F(AlwaysOnTopTest, WhenNothingPlaysTheCommandOnlyChangesTheCheckMarkAndTheSetting)
{
  for (int state : {PlayState::Undefined, PlayState::Paused, PlayState::Stopped}) {
    engine().state = state;
    form->menuCommand(MenuItem::mTop);
    EXPECT_TRUE(form->menus.checked(MenuItem::mTop));
    EXPECT_EQ(setting("mTop"), "True");
    form->menuCommand(MenuItem::mTop);
    EXPECT_FALSE(form->menus.checked(MenuItem::mTop));
    EXPECT_EQ(setting("mTop"), "False");
  }
  EXPECT_TRUE(bandChanges().isEmpty());
}

TEST_F(AlwaysOnTopTest, DuringPlaybackTheCommandChangesTheBandAtOnceInAnyWindowState)
{
  engine().state = PlayState::Playing;
  win().state = WindowState::Maximized;
  form->mTop_Click();
  EXPECT_TRUE(win().onTop);
  form->mTop_Click();
  EXPECT_FALSE(win().onTop);
  EXPECT_EQ(setting("mTop"), "False");
  EXPECT_EQ(bandChanges(), (QStringList{"topmost", "no-topmost"}));
}

// Pausing in a normal window leaves the band; resuming does not come back,
// choosing the command twice does.
TEST_F(AlwaysOnTopTest, AfterAPauseTheCommandTwiceRestoresTheBand)
{
  form->mTop_Click();
  engine().item = FakeEngine::video(640, 360);
  engine().state = PlayState::Playing;
  form->WMP_PlayStateChange(PlayState::Playing);
  EXPECT_TRUE(win().onTop);
  engine().state = PlayState::Paused;
  form->WMP_PlayStateChange(PlayState::Paused);
  engine().state = PlayState::Playing;
  form->WMP_PlayStateChange(PlayState::Playing);
  EXPECT_FALSE(win().onTop);
  form->mTop_Click();
  form->mTop_Click();
  EXPECT_TRUE(win().onTop);
  EXPECT_EQ(setting("mTop"), "True");
}

#include "form_fixture.h"

#include "temporary_files.h"

class OpenUrlCommandTest : public FormTest {
protected:
  void SetUp() override { load(); }
  QString history() const { return programFolder() + "/playlist/URL.m3u"; }
};

TEST_F(OpenUrlCommandTest, CtrlUAndTheMenuShowAFreshDialogThatPlaysAndRemembers)
{
  ASSERT_TRUE(putContent(history(), "http://a/old.mp3\r\n"));
  QStringList listsSeen;
  gui().urlFormUser = [&](FakeUrlFormView& view, UrlFrm& dialog) {
    listsSeen << view.list.join('|');
    EXPECT_EQ(view.bigIconSize, 128);
    view.field = "/m/clip " + QString::number(listsSeen.size()) + ".mp4";
    dialog.Command1_Click();
  };

  form->Form_KeyDown(85, 2); // Ctrl+U
  form->menuCommand(MenuItem::mOpenURL);
  EXPECT_EQ(gui().urlFormsMade, 2);
  EXPECT_EQ(listsSeen, (QStringList{"http://a/old.mp3", "http://a/old.mp3|/m/clip 1.mp4"}))
      << "each opening reads the history afresh";
  EXPECT_EQ(engine().urls, (QStringList{"/m/clip 1.mp4", "/m/clip 2.mp4"}));
  EXPECT_EQ(contentOf(history()), "http://a/old.mp3\r\n/m/clip 1.mp4\r\n/m/clip 2.mp4\r\n");
}

TEST_F(OpenUrlCommandTest, OnlyCtrlUOpensIt)
{
  form->Form_KeyDown(85, 3); // Ctrl+Shift+U
  form->Form_KeyDown(85, 4); // Alt+U
  form->Form_KeyDown(85, 0);
  EXPECT_EQ(gui().urlFormsMade, 0);
  form->Form_KeyDown(85, 2);
  EXPECT_EQ(gui().urlFormsMade, 1);
  EXPECT_TRUE(gui().files.calls.isEmpty()) << "Ctrl+U is not Ctrl+O";
}

#include "form_fixture.h"

#include <QDir>

class OpenCommandTest : public FormTest {
protected:
  void SetUp() override { load(); }
  QString playlist() const { return programFolder() + "/playlist/default.m3u"; }
  QByteArray playlistBytes() const
  {
    QFile f(playlist());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }
};

TEST_F(OpenCommandTest, TheDialogShowsTheDesignedTitleAndFilters)
{
  form->mOpen_Click();
  ASSERT_EQ(gui().files.calls.size(), 1);
  const auto& call = gui().files.calls[0];
  EXPECT_EQ(call.title, "打开");
  EXPECT_TRUE(call.multiple);
  ASSERT_EQ(call.filters.size(), 5);
  EXPECT_FALSE(call.filters[0].description.contains("flac"));
  EXPECT_TRUE(call.filters[0].patterns.contains("*.ape;*.flac;*.wav"));
  EXPECT_TRUE(call.filters[0].patterns.startsWith("*.kq;*.ts;*.ts;*.m2t"));
  EXPECT_EQ(call.filters[3].description, "播放列表(*.m3u)");
  EXPECT_EQ(call.filters[4].patterns, "*.*");
}

TEST_F(OpenCommandTest, CancellingChangesNothing)
{
  engine().url = "/playing.mp4";
  form->mOpen_Click();
  EXPECT_EQ(engine().url, "/playing.mp4");
  EXPECT_EQ(playlistBytes(), "<absent>");
}

TEST_F(OpenCommandTest, OneFilePlaysDirectlyAndLeavesThePlayListAlone)
{
  gui().files.answerFiles = {"/d/v/a.mp4"};
  form->mOpen_Click();
  EXPECT_EQ(engine().urls, QStringList{"/d/v/a.mp4"});
  EXPECT_EQ(playlistBytes(), "<absent>");
}

TEST_F(OpenCommandTest, SeveralFilesAreWrittenAsTheDefaultListAndItPlays)
{
  gui().files.answerFiles = {"/d/m/x.mp3", "/d/m/y.mp3"};
  form->mOpen_Click();
  EXPECT_EQ(playlistBytes(), "/d/m/x.mp3\r\n/d/m/y.mp3\r\n");
  EXPECT_EQ(engine().urls, QStringList{playlist()});

  gui().files.answerFiles = {"/x.mp3", "/y.mp3", "/z 1.mp3"};
  form->mOpen_Click();
  EXPECT_EQ(playlistBytes(), "/x.mp3\r\n/y.mp3\r\n/z 1.mp3\r\n") << "overwritten, root not doubled";
}

TEST_F(OpenCommandTest, AListThatCannotBeWrittenIsReportedAndNotPlayed)
{
  QDir(programFolder()).rmdir("playlist");
  QFile blocker(programFolder() + "/playlist");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
  blocker.close();
  gui().files.answerFiles = {"/d/m/x.mp3", "/d/m/y.mp3"};
  form->mOpen_Click();
  EXPECT_TRUE(engine().urls.isEmpty());
  ASSERT_EQ(gui().messages.shown.size(), 1);
  EXPECT_EQ(gui().messages.shown[0].icon, MessageBoxes::Icon::Error);
  EXPECT_TRUE(gui().messages.shown[0].text.contains("default.m3u"));
}

#include "playback/save_as.h"

#include "fake_dialogs.h"
#include "fake_engine.h"
#include "fake_process_launcher.h"
#include "temporary_files.h"
#include "core/file_name_bytes.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// Save As with only the ports it uses.
class SaveAsTest : public testing::Test {
protected:
  struct Ports {
    FakeEngine eng;
    FakeFileDialogs files;
    FakeMessageBoxes messages;
    FakeProcessLauncher launcher;
  } ports;
  SaveAs saveAs{ports.eng, ports.files, ports.messages, ports.launcher};
  QTemporaryDir dir;
  QString media = dir.filePath("m/song.mp3");
  QString copy = dir.filePath("out/copy.mp3");

  Ports& gui() { return ports; }
  FakeEngine& engine() { return ports.eng; }

  void SetUp() override
  {
    ASSERT_TRUE(QDir(dir.path()).mkpath("m"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    ASSERT_TRUE(putContent(media, QByteArray("ID3\0\x01\xff song", 12)));
  }
  void playing(const QString& source) { engine().item = FakeEngine::audio(source); }
  bool nothingHappened()
  {
    return gui().files.calls.isEmpty() && gui().launcher.started.isEmpty() &&
           gui().messages.shown.isEmpty() && entriesOf(dir.filePath("out")).isEmpty();
  }
};

TEST_F(SaveAsTest, ALocalFileIsOfferedUnderItsOwnNameAndCopiedByteForByte)
{
  playing(media);
  gui().files.answerFile = copy;
  saveAs.mSaveAs_Click();
  ASSERT_EQ(gui().files.calls.size(), 1);
  EXPECT_EQ(gui().files.calls[0].kind, "save");
  EXPECT_EQ(gui().files.calls[0].title, "保存文件");
  EXPECT_EQ(gui().files.calls[0].preset, media);
  EXPECT_EQ(contentOf(copy), contentOf(media));
  EXPECT_TRUE(gui().launcher.started.isEmpty());
  EXPECT_TRUE(gui().messages.shown.isEmpty());
}

TEST_F(SaveAsTest, NothingLoadedOrAnEmptySourceDoesNothing)
{
  saveAs.mSaveAs_Click();
  EXPECT_TRUE(nothingHappened());
  playing("");
  saveAs.mSaveAs_Click();
  EXPECT_TRUE(nothingHappened());
}

TEST_F(SaveAsTest, OnlyHtHTAndhtOpenTheSourceInTheBrowser)
{
  for (const char* web : {"http://a/s.mp3", "HTTPS://a/s.mp3", "Http://a/s.mp3", "ht"}) {
    SCOPED_TRACE(web);
    gui().launcher.started.clear();
    playing(web);
    saveAs.mSaveAs_Click();
    ASSERT_EQ(gui().launcher.started.size(), 1);
    EXPECT_EQ(gui().launcher.started[0].program, "xdg-open");
    EXPECT_EQ(gui().launcher.started[0].arguments, QStringList{web});
  }
  EXPECT_TRUE(gui().files.calls.isEmpty()) << "the browser replaces the save dialog";

  for (const char* notWeb : {"hTtp://a/s.mp3", "h", "rtsp://a/s", "file:///m/s.mp3"}) {
    SCOPED_TRACE(notWeb);
    gui().files.calls.clear();
    playing(notWeb);
    gui().files.answerFile = copy;
    saveAs.mSaveAs_Click();
    EXPECT_EQ(gui().files.calls.size(), 1) << "goes to the save dialog";
  }
  EXPECT_EQ(gui().launcher.started.size(), 1);
  EXPECT_FALSE(QFileInfo::exists(copy)) << "an address is no file to copy";
  EXPECT_EQ(gui().messages.shown.size(), 4) << "each failed copy is told";
}

TEST_F(SaveAsTest, ABrowserThatFailsIsReportedByTheBrowserLaunch)
{
  gui().launcher.succeeds = false;
  playing("http://a/s.mp3");
  saveAs.mSaveAs_Click();
  ASSERT_EQ(gui().messages.shown.size(), 1);
  EXPECT_EQ(gui().messages.shown[0].text, "调用浏览器错误！");
}

TEST_F(SaveAsTest, CancelOrTheSourceItselfWritesNothingAndSaysNothing)
{
  playing(media);
  const QByteArray before = contentOf(media);
  saveAs.mSaveAs_Click(); // cancelled: the fake answers ""
  gui().files.answerFile = dir.filePath("out/../m/./song.mp3");
  saveAs.mSaveAs_Click();
  EXPECT_EQ(contentOf(media), before);
  EXPECT_EQ(entriesOf(dir.filePath("m")), QStringList{"song.mp3"});
  EXPECT_TRUE(entriesOf(dir.filePath("out")).isEmpty());
  EXPECT_TRUE(gui().messages.shown.isEmpty());
}

TEST_F(SaveAsTest, AnExistingDestinationIsReplacedWhole)
{
  ASSERT_TRUE(putContent(copy, QByteArray(4096, 'x')));
  playing(media);
  gui().files.answerFile = copy;
  saveAs.mSaveAs_Click();
  EXPECT_EQ(contentOf(copy), contentOf(media));
  EXPECT_EQ(entriesOf(dir.filePath("out")), QStringList{"copy.mp3"});
}

TEST_F(SaveAsTest, ANameThatIsNotUtf8KeepsItsBytesAndAFailedCopySaysWhere)
{
  const QString odd = decodeFileName(QFile::encodeName(dir.path()) + "/m/\xff.mp3");
  const QString oddCopy = decodeFileName(QFile::encodeName(dir.path()) + "/out/\xfe.mp3");
  ASSERT_EQ(::link(QFile::encodeName(media).constData(), encodeFileName(odd).constData()), 0);
  playing(odd);
  for (const QString& destination : {copy, oddCopy, dir.filePath("gone/copy.mp3")}) {
    gui().files.answerFile = destination;
    saveAs.mSaveAs_Click();
  }
  EXPECT_EQ(contentOf(copy), contentOf(media));
  EXPECT_EQ(kindOfPath(oddCopy), PathKind::File);
  ASSERT_EQ(gui().messages.shown.size(), 1) << "only the copy into a missing folder failed";
  EXPECT_EQ(gui().messages.shown[0].icon, MessageBoxes::Icon::Error);
  EXPECT_TRUE(gui().messages.shown[0].text.contains(dir.filePath("gone/copy.mp3")));
  for (const QString& name : {odd, oddCopy}) // nor can QTemporaryDir remove it
    ::unlink(encodeFileName(name).constData());
}

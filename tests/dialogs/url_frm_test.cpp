#include "dialogs/url_frm.h"

#include "fake_dialogs.h"
#include "fake_engine.h"
#include "fake_url_form_view.h"
#include "temporary_files.h"
#include <QFileInfo>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class UrlFrmTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString history = dir.filePath("playlist/URL.m3u");
  FakeUrlFormView view;
  FakeEngine player;
  FakeMessageBoxes messages;
  UrlFrm form{view, player, messages, history};

  void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("playlist")); }
  void writeHistory(const QByteArray& bytes) { ASSERT_TRUE(putContent(history, bytes)); }
  QByteArray historyBytes() const
  {
    return QFileInfo::exists(history) ? contentOf(history) : QByteArray("<absent>");
  }
  void open(const QString& typed = {})
  {
    form.Form_Load();
    view.field = typed.isNull() ? view.field : typed;
  }
};

} // namespace

TEST_F(UrlFrmTest, WithoutAHistoryTheListIsEmptyAndCancelLeavesNoFile)
{
  open();
  EXPECT_EQ(view.bigIconSize, 128);
  EXPECT_TRUE(view.list.isEmpty());
  EXPECT_TRUE(view.field.isEmpty());
  form.Command2_Click();
  EXPECT_TRUE(view.unloaded);
  EXPECT_TRUE(player.urls.isEmpty());
  EXPECT_EQ(historyBytes(), "<absent>");
}

TEST_F(UrlFrmTest, TheHistoryIsReadInFileOrderWithoutEmptyLinesAndWithItsDuplicates)
{
  writeHistory("http://a/1.mp3\r\n\r\n/m/b.mkv\n\nhttp://a/1.mp3\r\n \r\nc");
  open();
  EXPECT_EQ(view.list, (QStringList{"http://a/1.mp3", "/m/b.mkv", "http://a/1.mp3", " ", "c"}));
  EXPECT_TRUE(view.field.isEmpty()) << "no entry is preselected";
}

TEST_F(UrlFrmTest, ANewAddressIsPlayedAppendedAndTheFileWrittenWhole)
{
  writeHistory("http://a/1.mp3\n\n/m/b.mkv\n");
  open("/m/new clip.mp4");
  form.Command1_Click();
  EXPECT_EQ(player.urls, QStringList{"/m/new clip.mp4"});
  EXPECT_EQ(historyBytes(), "http://a/1.mp3\r\n/m/b.mkv\r\n/m/new clip.mp4\r\n");
  EXPECT_EQ(view.list.last(), "/m/new clip.mp4");
  EXPECT_TRUE(view.unloaded);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(UrlFrmTest, AnExactEntryIsPlayedAndTheFileIsNotRewritten)
{
  // A rewrite would show: it mends the line endings and drops the empty line.
  writeHistory("http://a/1.mp3\n\n/m/b.mkv");
  open("/m/b.mkv"); // as if picked from the list
  form.Command1_Click();
  EXPECT_EQ(player.urls, QStringList{"/m/b.mkv"});
  EXPECT_EQ(historyBytes(), "http://a/1.mp3\n\n/m/b.mkv");
  EXPECT_TRUE(view.unloaded);
}

TEST_F(UrlFrmTest, LetterCaseAndSpacesMakeANewEntry)
{
  writeHistory("http://a/1.mp3\r\n");
  for (const QString& other : {QString("HTTP://a/1.mp3"), QString(" http://a/1.mp3")}) {
    open(other);
    form.Command1_Click();
  }
  EXPECT_EQ(historyBytes(), "http://a/1.mp3\r\nHTTP://a/1.mp3\r\n http://a/1.mp3\r\n");
  EXPECT_EQ(player.urls, (QStringList{"HTTP://a/1.mp3", " http://a/1.mp3"}));
}

TEST_F(UrlFrmTest, AnEmptyAddressIsPlayedAndStoredAsAnEmptyLastLineThatTheNextOpeningSkips)
{
  writeHistory("/m/a.mp3\r\n");
  open("");
  form.Command1_Click();
  EXPECT_EQ(player.urls, QStringList{""});
  EXPECT_EQ(historyBytes(), "/m/a.mp3\r\n\r\n");

  FakeUrlFormView next;
  UrlFrm reopened(next, player, messages, history);
  reopened.Form_Load();
  EXPECT_EQ(next.list, QStringList{"/m/a.mp3"});
}

TEST_F(UrlFrmTest, ClearLeavesOneEmptyLineAndTheDialogOpen)
{
  writeHistory("/m/a.mp3\r\n/m/b.mp3\r\n");
  open("/m/typed");
  form.Command3_Click();
  EXPECT_TRUE(view.list.isEmpty());
  EXPECT_TRUE(view.field.isEmpty());
  EXPECT_FALSE(view.unloaded);
  EXPECT_EQ(historyBytes(), "\r\n");

  view.field = "/m/only.mp3";
  form.Command1_Click();
  EXPECT_EQ(historyBytes(), "/m/only.mp3\r\n");
}

TEST_F(UrlFrmTest, ClearThenCancelGivesAnEmptyListNextTime)
{
  writeHistory("/m/a.mp3\r\n");
  open();
  form.Command3_Click();
  form.Command2_Click();
  EXPECT_TRUE(player.urls.isEmpty());

  FakeUrlFormView next;
  UrlFrm reopened(next, player, messages, history);
  reopened.Form_Load();
  EXPECT_TRUE(next.list.isEmpty());
  EXPECT_EQ(historyBytes(), "\r\n");
}

TEST_F(UrlFrmTest, ADropPutsTheFirstFileOrElseTheLinkTextInTheField)
{
  writeHistory("/m/a.mp3\r\n");
  open();
  form.Combo1_OLEDragDrop({{"/d/one.mkv", "/d/two.mkv", "/d/three.mkv"}, "file:///d/one.mkv"});
  EXPECT_EQ(view.field, "/d/one.mkv");

  form.Combo1_OLEDragDrop({{}, "https://example.org/v.mp4\r\nsecond line"});
  EXPECT_EQ(view.field, "https://example.org/v.mp4");

  form.Combo1_OLEDragDrop({});
  EXPECT_EQ(view.field, "https://example.org/v.mp4") << "a drop with nothing usable changes nothing";
  EXPECT_TRUE(player.urls.isEmpty()) << "nothing plays until OK";
  EXPECT_EQ(historyBytes(), "/m/a.mp3\r\n");
}

TEST_F(UrlFrmTest, AHistoryThatCannotBeWrittenStillPlaysAndTellsTheUser)
{
  // The dialog never makes the play list folder: without it no file can be.
  ASSERT_TRUE(QDir(dir.filePath("playlist")).removeRecursively());
  open("/m/a.mp3");
  EXPECT_TRUE(view.notice.isEmpty()) << "a missing history is an empty one";
  form.Command1_Click();
  EXPECT_EQ(player.urls, QStringList{"/m/a.mp3"});
  EXPECT_TRUE(view.unloaded);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::Error);
  EXPECT_TRUE(messages.shown[0].text.contains(history));

  form.Command3_Click();
  EXPECT_EQ(messages.shown.size(), 2) << "a failed Clear is told too";
}

TEST_F(UrlFrmTest, AHistoryThatCannotBeReadIsToldAndNeitherOkNorClearWriteOverIt)
{
  {
    const PipeWithoutWriter pipe(history); // read, it would wait for a writer
    ASSERT_TRUE(pipe.made);
    open("/m/a.mp3");
    EXPECT_EQ(view.notice, "无法读取地址记录文件，本次不会更改记录。");
    ASSERT_TRUE(QFile::remove(history));
  }
  // A folder where the file should be is there but cannot be read as a file.
  ASSERT_TRUE(QDir(dir.path()).mkpath("playlist/URL.m3u/inside"));
  open("/m/a.mp3");
  EXPECT_TRUE(view.list.isEmpty());
  EXPECT_EQ(view.notice, "无法读取地址记录文件，本次不会更改记录。");
  EXPECT_EQ(view.noticeDetail, history);
  form.Command3_Click();
  view.field = "/m/a.mp3";
  form.Command1_Click();
  EXPECT_EQ(player.urls, QStringList{"/m/a.mp3"});
  EXPECT_TRUE(view.unloaded);
  EXPECT_TRUE(messages.shown.isEmpty()) << "no write was tried, so none failed";
  EXPECT_TRUE(QFileInfo(history + "/inside").isDir());
}

TEST_F(UrlFrmTest, AHistoryFileItsUserCannotReadKeepsEveryEntry)
{
  writeHistory("/m/a.mp3\r\n/m/b.mp3\r\n");
  // Root reads any file, so as root the dialog runs as nobody. The folders
  // are open to every user: only the file's own permissions keep it out.
  ASSERT_TRUE(QFile::setPermissions(history, {}));
  for (const QString& folder : {dir.path(), dir.filePath("playlist")})
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr uid_t nobody = 65534;
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0))
      ::_exit(1);
    form.Form_Load();
    view.field = "/m/c.mp3";
    form.Command1_Click();
    const bool played = player.urls == QStringList{"/m/c.mp3"};
    ::_exit((played ? 0 : 2) | (view.notice.isEmpty() ? 4 : 0) | (messages.shown.isEmpty() ? 0 : 8));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: cannot become nobody, 2: not played, 4: not told, 8: a message box";
  ASSERT_TRUE(QFile::setPermissions(history, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  EXPECT_EQ(historyBytes(), "/m/a.mp3\r\n/m/b.mp3\r\n");
}

TEST_F(UrlFrmTest, ShowLoadsBeforeTheUserSeesTheDialog)
{
  writeHistory("/m/a.mp3\r\n");
  view.user = [](FakeUrlFormView& shown, UrlFrm& frm) {
    EXPECT_EQ(shown.list, QStringList{"/m/a.mp3"});
    EXPECT_EQ(shown.bigIconSize, 128);
    shown.field = "/m/a.mp3";
    frm.Command1_Click();
  };
  form.Show();
  EXPECT_EQ(view.shown, 1);
  EXPECT_EQ(player.urls, QStringList{"/m/a.mp3"});
}

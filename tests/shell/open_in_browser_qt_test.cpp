#include "shell/mod_open_url.h"
#include "shell/process_launcher_qt.h"
#include "fake_dialogs.h"
#include "qt_printers.h"
#include "temporary_files.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// OpenInBrowser with the real launcher and an xdg-open of the test's own,
// first on PATH, that records its arguments and ends with a chosen status.
class OpenInBrowserQtTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString calls = dir.filePath("calls");
  QByteArray oldPath = qgetenv("PATH");
  ProcessLauncherQt launcher;
  FakeMessageBoxes messages;

  void TearDown() override { qputenv("PATH", oldPath); }

  void fakeXdgOpen(int status)
  {
    const QString script = dir.filePath("bin/xdg-open");
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
    ASSERT_TRUE(putContent(script, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#:$1\" >> '%1'\n"
                                                  "exit %2\n")
                                       .arg(calls)
                                       .arg(status)
                                       .toUtf8()));
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(dir.filePath("bin")) + ":" + oldPath);
  }
};

const QString url = "http://example.org/a b.mp4?q=1;$(touch pwned)";

} // namespace

TEST_F(OpenInBrowserQtTest, AHandlerThatStartsShowsNoMessage)
{
  fakeXdgOpen(0);
  ModOpenUrl::OpenInBrowser(launcher, messages, url);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(calls); }, 5000));
  QTest::qWait(300); // the exit status arrives after the output
  EXPECT_EQ(contentOf(calls), ("1:" + url + "\n").toUtf8()) << "one argument, no shell";
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
}

TEST_F(OpenInBrowserQtTest, AFailureStatusShowsTheErrorMessage)
{
  fakeXdgOpen(4);
  ModOpenUrl::OpenInBrowser(launcher, messages, url);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 5000));
  EXPECT_EQ(contentOf(calls), ("1:" + url + "\n").toUtf8());
  EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::Error);
  EXPECT_EQ(messages.shown[0].title, "错误：");
  EXPECT_EQ(messages.shown[0].text, "调用浏览器错误！");
}

TEST_F(OpenInBrowserQtTest, NoXdgOpenAtAllShowsTheErrorMessage)
{
  qputenv("PATH", QFile::encodeName(dir.path()));
  ModOpenUrl::OpenInBrowser(launcher, messages, url);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 5000));
  EXPECT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "调用浏览器错误！");
}

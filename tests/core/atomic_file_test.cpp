#include "core/atomic_file.h"

#include "temporary_files.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(AtomicFile, ReplacesTheWholeFileAndKeepsItsPermissions)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.dat"));
  ASSERT_TRUE(writeFileAtomically(path, "a much longer first content\r\n"));
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

  QString error;
  EXPECT_TRUE(writeFileAtomically(path, "short", &error)) << error.toStdString();
  EXPECT_EQ(contentOf(path), "short");
  EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                          | QFileDevice::WriteUser);
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("f.dat")});
}

TEST(AtomicFile, FailedRenameKeepsTheTargetAndLeavesNoTemporaryFile)
{
  QTemporaryDir dir;
  // A non-empty folder cannot be replaced, whoever runs the test.
  const QString path = dir.filePath(QStringLiteral("f.dat"));
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("f.dat/inside")));

  QString error;
  EXPECT_FALSE(writeFileAtomically(path, "new", &error));
  EXPECT_EQ(error, QStringLiteral("无法写入“%1”：这是一个文件夹").arg(path)) << error.toStdString();
  EXPECT_TRUE(QFileInfo(path + QStringLiteral("/inside")).isDir());
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("f.dat")});
}

TEST(AtomicFile, AMissingOrWrongFolderIsReportedInChineseNotCreated)
{
  // The reason is told in the interface's language, not in the system's English.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/f.dat"));
  QString error;
  EXPECT_FALSE(writeFileAtomically(path, "new", &error));
  EXPECT_EQ(error, QStringLiteral("无法写入“%1”：文件或文件夹不存在").arg(path));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));

  const QString file = dir.filePath(QStringLiteral("file"));
  ASSERT_TRUE(writeFileAtomically(file, "a file, not a folder"));
  EXPECT_FALSE(writeFileAtomically(file + QStringLiteral("/f.dat"), "new", &error));
  EXPECT_EQ(error, QStringLiteral("无法写入“%1/f.dat”：路径中有一项不是文件夹").arg(file));
}

TEST(AtomicFile, ReadOnlyFolderKeepsTheOldFileByteForByte)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.dat"));
  ASSERT_TRUE(writeFileAtomically(path, "[Option]\r\nVolume=50\r\n"));
  if (!makeReadOnly(dir.path()))
    GTEST_SKIP() << "this user writes into read-only folders";

  QString error;
  EXPECT_FALSE(writeFileAtomically(path, "other", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(contentOf(path), "[Option]\r\nVolume=50\r\n");
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("f.dat")});
  QFile::setPermissions(dir.path(), writableFolder);
}

TEST(AtomicFile, AWriterThatFailsHalfWayLeavesTheOldFileAndSaysWhy)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.dat"));
  ASSERT_TRUE(writeFileAtomically(path, "old"));

  QString error;
  EXPECT_FALSE(writeFileAtomically(
      path,
      [](QIODevice& out, QString* reason) {
        out.write("half of the new");
        *reason = QStringLiteral("the source went away");
        return false;
      },
      &error));
  EXPECT_TRUE(error.contains(QStringLiteral("the source went away"))) << error.toStdString();
  EXPECT_EQ(contentOf(path), "old");
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("f.dat")});

  ASSERT_TRUE(writeFileAtomically(
      path, [](QIODevice& out, QString*) { return out.write("streamed") == 8; }, &error));
  EXPECT_EQ(contentOf(path), "streamed");
}

namespace {

// Starts a writer of `path` in a child process that stops inside its write,
// with its temporary file made and half filled; returns its pid.
pid_t writerStoppedHalfWay(const QString& path)
{
  int ready[2];
  if (::pipe(ready) != 0)
    return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    writeFileAtomically(path, [&](QIODevice& out, QString*) {
      out.write("half");
      out.waitForBytesWritten(-1);
      [[maybe_unused]] const ssize_t told = ::write(ready[1], "x", 1);
      for (;;)
        ::pause();
      return false;
    });
    ::_exit(1);
  }
  ::close(ready[1]);
  char x;
  const bool stopped = ::read(ready[0], &x, 1) == 1;
  ::close(ready[0]);
  return stopped ? pid : -1;
}

void killAndReap(pid_t pid)
{
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

} // namespace

TEST(AtomicFile, AKilledWritersTemporaryGoesWithTheNextWriteAndALiveWritersStays)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("f.dat"));
  ASSERT_TRUE(writeFileAtomically(path, "old"));
  const pid_t killed = writerStoppedHalfWay(path);
  ASSERT_GT(killed, 0);
  killAndReap(killed);
  const QStringList debris = entriesOf(dir.path()).filter(QStringLiteral(".partial"));
  ASSERT_EQ(debris.size(), 1) << "the killed writer's temporary";
  EXPECT_EQ(contentOf(path), "old");

  // The next writer removes it first, and its own stays while it lives.
  const pid_t live = writerStoppedHalfWay(path);
  ASSERT_GT(live, 0);
  const QStringList liveOnes = entriesOf(dir.path()).filter(QStringLiteral(".partial"));
  EXPECT_TRUE(writeFileAtomically(path, "new"));
  const QStringList left = entriesOf(dir.path());
  killAndReap(live);
  ASSERT_EQ(liveOnes.size(), 1);
  EXPECT_NE(liveOnes[0], debris[0]);
  EXPECT_EQ(left, (QStringList{liveOnes[0], QStringLiteral("f.dat")}));

  EXPECT_TRUE(writeFileAtomically(path, "newer"));
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("f.dat")});
  EXPECT_EQ(contentOf(path), "newer");
}

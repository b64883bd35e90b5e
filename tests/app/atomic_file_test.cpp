#include "app/atomic_file.h"

#include "tests/app/temporary_files.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

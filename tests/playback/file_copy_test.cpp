#include "playback/file_copy.h"

#include "temporary_files.h"
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More than one read chunk, and not a multiple of it.
QByteArray mediaBytes()
{
  QByteArray bytes(3 * 1024 * 1024 + 77, Qt::Uninitialized);
  QRandomGenerator generator(5);
  for (char& b : bytes)
    b = char(generator.bounded(256));
  return bytes;
}

ino_t inodeOf(const QString& path)
{
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

class FileCopyTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString source = dir.filePath("m/song.mp3");
  QByteArray bytes = mediaBytes();

  void SetUp() override
  {
    ASSERT_TRUE(QDir(dir.path()).mkpath("m"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    ASSERT_TRUE(putContent(source, bytes));
  }
};

} // namespace

TEST_F(FileCopyTest, CopiesByteForByteIntoANewFile)
{
  const QString target = dir.filePath("out/copy.mp3");
  QString error;
  ASSERT_TRUE(copyFileAtomically(source, target, &error)) << error.toStdString();
  EXPECT_EQ(contentOf(target), bytes);
  EXPECT_EQ(contentOf(source), bytes);
  EXPECT_EQ(entriesOf(dir.filePath("out")), QStringList{"copy.mp3"});
}

TEST_F(FileCopyTest, ReplacesALongerDestinationWhole)
{
  const QString target = dir.filePath("out/copy.mp3");
  ASSERT_TRUE(putContent(target, mediaBytes() + mediaBytes()));
  ASSERT_TRUE(copyFileAtomically(source, target));
  EXPECT_EQ(contentOf(target), bytes) << "no tail of the old file is left";
  EXPECT_EQ(entriesOf(dir.filePath("out")), QStringList{"copy.mp3"});
}

TEST_F(FileCopyTest, TheSourceItselfUnderAnySpellingIsLeftAsItIs)
{
  const ino_t inode = inodeOf(source);
  ASSERT_EQ(::symlink(QFile::encodeName(source).constData(),
                      QFile::encodeName(dir.filePath("out/link.mp3")).constData()),
            0);
  ASSERT_EQ(::link(QFile::encodeName(source).constData(),
                   QFile::encodeName(dir.filePath("out/hard.mp3")).constData()),
            0);
  for (const QString& same : {source, dir.filePath("m/./song.mp3"), dir.filePath("out/../m/song.mp3"),
                              dir.filePath("out/link.mp3"), dir.filePath("out/hard.mp3")}) {
    SCOPED_TRACE(same.toStdString());
    EXPECT_TRUE(copyFileAtomically(source, same)) << "it holds the bytes already";
    EXPECT_EQ(contentOf(source), bytes);
    EXPECT_EQ(inodeOf(source), inode) << "the source was replaced by a copy of itself";
  }
  EXPECT_EQ(entriesOf(dir.filePath("m")), QStringList{"song.mp3"});
  EXPECT_TRUE(QFileInfo(dir.filePath("out/link.mp3")).isSymLink());
}

TEST_F(FileCopyTest, OnlyPlainFilesAreCopied)
{
  const QString target = dir.filePath("out/copy.mp3");
  const QString pipe = dir.filePath("m/pipe");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  // A pipe would block the window until someone wrote into it.
  for (const QString& notPlain : {dir.filePath("m"), pipe, dir.filePath("m/missing.mp3"),
                                  QString("rtsp://host/stream"), QString()}) {
    SCOPED_TRACE(notPlain.toStdString());
    EXPECT_FALSE(copyFileAtomically(notPlain, target));
  }
  EXPECT_TRUE(entriesOf(dir.filePath("out")).isEmpty());
}

TEST_F(FileCopyTest, AFolderThatRefusesFilesGetsNothingAndKeepsItsOldFile)
{
  const QString target = dir.filePath("out/copy.mp3");
  ASSERT_TRUE(putContent(target, "old"));
  UnwritableFolder locked(dir.filePath("out"));
  if (!locked.refuses())
    GTEST_SKIP() << "no way to make a folder refuse files here";
  QString error;
  EXPECT_FALSE(copyFileAtomically(source, target, &error));
  EXPECT_TRUE(error.contains(target)) << error.toStdString();
  EXPECT_EQ(contentOf(target), "old");
  EXPECT_EQ(entriesOf(dir.filePath("out")), QStringList{"copy.mp3"});
}

TEST_F(FileCopyTest, AMissingDestinationFolderIsNotCreated)
{
  EXPECT_FALSE(copyFileAtomically(source, dir.filePath("nowhere/copy.mp3")));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere")));
}

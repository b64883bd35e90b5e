#include "core/private_profile.h"

#include "core/runtime_folder.h"
#include "temporary_files.h"
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class PrivateProfile : public testing::Test {
protected:
  QString read(const QString& key, int size = 128, const QString& defaultValue = QString())
  {
    return GetPrivateProfileString(QStringLiteral("Option"), key, defaultValue, size, path);
  }
  bool write(const QString& key, const QString& value)
  {
    return WritePrivateProfileString(QStringLiteral("Option"), key, value, path);
  }

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Kelvarino.dat"));
  QTemporaryDir runtime;
  ScopedEnv runtimeVariable{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

} // namespace

TEST_F(PrivateProfile, AbsentFileGivesTheDefaultAndTheFirstWriteCreatesIt)
{
  EXPECT_EQ(read(QStringLiteral("Volume")), QString());
  EXPECT_EQ(read(QStringLiteral("Volume"), 128, QStringLiteral("d")), QStringLiteral("d"));
  EXPECT_FALSE(QFile::exists(path));

  EXPECT_TRUE(write(QStringLiteral("Volume"), QStringLiteral("50")));
  EXPECT_EQ(contentOf(path), "[Option]\r\nVolume=50\r\n");
  EXPECT_EQ(read(QStringLiteral("volume")), QStringLiteral("50"));
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("Kelvarino.dat")})
      << "no lock beside it";
}

TEST_F(PrivateProfile, TheLockIsOnePerFileHoweverNamedAndLivesInTheRuntimeFolder)
{
  ASSERT_TRUE(write(QStringLiteral("Volume"), QStringLiteral("50")));
  const QString lock = lockPathFor(path);
  EXPECT_EQ(entriesOf(runtime.path()), QStringList{QFileInfo(lock).fileName()});
  ASSERT_TRUE(QFile::link(dir.path(), runtime.filePath(QStringLiteral("link"))));
  const QString here = QDir::currentPath();
  QDir::setCurrent(runtime.path()); // another working folder, and a link
  EXPECT_EQ(lockPathFor(QStringLiteral("link/Kelvarino.dat")), lock);
  QDir::setCurrent(here);
  EXPECT_NE(lockPathFor(dir.filePath(QStringLiteral("positions"))), lock);
}

TEST_F(PrivateProfile, ReadHoldsAtMostSizeMinusOneBytesOfWholeCharacters)
{
  // "中" is three bytes: 127 bytes hold "a" and 42 of them, or "ab" and 41.
  const QString han(63, QChar(0x4E2D));
  ASSERT_TRUE(write(QStringLiteral("a"), u'a' + han));
  ASSERT_TRUE(write(QStringLiteral("ab"), QStringLiteral("ab") + han));
  EXPECT_EQ(read(QStringLiteral("a")), u'a' + han.first(42));
  EXPECT_EQ(read(QStringLiteral("ab")), QStringLiteral("ab") + han.first(41));
  // A character outside the basic plane is four bytes and one character.
  ASSERT_TRUE(write(QStringLiteral("emoji"), QStringLiteral("x\U0001F600")));
  EXPECT_EQ(read(QStringLiteral("emoji"), 5), QStringLiteral("x"));
  EXPECT_EQ(read(QStringLiteral("emoji"), 6), QStringLiteral("x\U0001F600"));
  EXPECT_EQ(read(QStringLiteral("emoji"), 0), QString());
}

TEST_F(PrivateProfile, ValuesAndNamesEndAtTheFirstNul)
{
  ASSERT_TRUE(write(QStringLiteral("k"), QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")));
  EXPECT_EQ(contentOf(path), "[Option]\r\nk=ab\r\n");
  ASSERT_TRUE(putContent(path, QByteArray("[Option]\r\nk=ab\0cd\r\n", 18)));
  EXPECT_EQ(read(QStringLiteral("k")), QStringLiteral("ab"));
}

TEST_F(PrivateProfile, RefusedNamesLeaveTheFileAlone)
{
  ASSERT_TRUE(write(QStringLiteral("Volume"), QStringLiteral("50")));
  EXPECT_FALSE(write(QStringLiteral("a=b"), QStringLiteral("1")));
  EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("Op]tion"), QStringLiteral("k"), QStringLiteral("1"), path));
  EXPECT_FALSE(WritePrivateProfileString(QStringLiteral("Op\ntion"), QStringLiteral("k"), QStringLiteral("1"), path));
  EXPECT_EQ(contentOf(path), "[Option]\r\nVolume=50\r\n");
}

TEST_F(PrivateProfile, ReplacingAKeyKeepsForeignLinesOfTheFile)
{
  ASSERT_TRUE(putContent(path, "\xEF\xBB\xBF; made by hand\n[Other]\nx = \"1\"\n\n[option]\nVOLUME=10\nmove=1,2,3,4"));
  EXPECT_TRUE(write(QStringLiteral("Volume"), QStringLiteral("50")));
  EXPECT_TRUE(write(QStringLiteral("zoom"), QStringLiteral("0")));
  EXPECT_EQ(contentOf(path), "\xEF\xBB\xBF; made by hand\r\n[Other]\r\nx = \"1\"\r\n\r\n[option]\r\nVOLUME=50\r\n"
                             "move=1,2,3,4\r\nzoom=0\r\n");
}

TEST_F(PrivateProfile, APipeForTheFileOrItsLockIsRefusedWithoutWaiting)
{
  for (const QString& pipePath : {lockPathFor(path), path}) {
    const PipeWithoutWriter pipe(pipePath);
    ASSERT_TRUE(pipe.made);
    EXPECT_EQ(read(QStringLiteral("Volume"), 128, QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(write(QStringLiteral("Volume"), QStringLiteral("50"))) << "nothing replaces it";
    ASSERT_TRUE(QFile::remove(pipePath));
  }
}

TEST(PrivateProfileProcesses, TwoWritersAtOnceKeepEachOthersKeys)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Kelvarino.dat"));
  constexpr int keysPerWriter = 200;
  // Both writers wait on the pipe and start together when it closes.
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  pid_t writers[2];
  for (int w = 0; w < 2; ++w) {
    writers[w] = fork();
    ASSERT_GE(writers[w], 0);
    if (writers[w] == 0) {
      close(gate[1]);
      char byte;
      (void)!read(gate[0], &byte, 1);
      bool ok = true;
      for (int i = 0; i < keysPerWriter; ++i)
        ok = WritePrivateProfileString(QStringLiteral("Option"), QStringLiteral("w%1k%2").arg(w).arg(i),
                                       QString::number(i), path)
             && ok;
      _exit(ok ? 0 : 1);
    }
  }
  close(gate[0]);
  close(gate[1]);
  for (pid_t writer : writers) {
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer reported a failed write";
  }

  const QByteArray text = contentOf(path);
  EXPECT_TRUE(text.startsWith("[Option]\r\n"));
  EXPECT_EQ(text.count("\r\n"), 1 + 2 * keysPerWriter);
  int missing = 0;
  for (int w = 0; w < 2; ++w) {
    for (int i = 0; i < keysPerWriter; ++i) {
      const QString key = QStringLiteral("w%1k%2").arg(w).arg(i);
      if (GetPrivateProfileString(QStringLiteral("Option"), key, QString(), 128, path) != QString::number(i))
        ++missing;
    }
  }
  EXPECT_EQ(missing, 0);
}

#include "core/resume_store.h"

#include "core/file_name_bytes.h"
#include "temporary_files.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString keyNumber(int i)
{
  return QStringLiteral("/films/%1.mkv").arg(i);
}

} // namespace

TEST(ResumeStore, OddNamesComeBackExactlyFromTheFile)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("state/Kelvarino/positions"));
  const QString keys[] = {
      decodeFileName("/media/\xff\xfe not UTF-8.avi"),
      QStringLiteral("/home/小明/视频/第 1 集.mp4"),
      QStringLiteral("/tmp/tab\there\nnewline\r%41 100%.mkv"),
      QStringLiteral("http://example.test/a b?x=%20&y=视频"),
  };
  {
    ResumeStore store(path);
    double seconds = 61.25;
    for (const QString& key : keys)
      store.remember(key, seconds++);
    QString error;
    ASSERT_TRUE(store.save(&error)) << error.toStdString();
  }
  // One line per entry, whatever the names hold.
  EXPECT_EQ(contentOf(path).count('\n'), 4);
  ResumeStore reread(path);
  double seconds = 61.25;
  for (const QString& key : keys)
    EXPECT_EQ(reread.position(key), seconds++) << key.toStdString();
  EXPECT_EQ(reread.position(QStringLiteral("/tmp/tab\there\nnewline\rA 100%.mkv")), std::nullopt);
}

TEST(ResumeStore, KeepsTheMostRecentItemsOnly)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  ResumeStore store(path);
  for (int i = 0; i < ResumeStore::Capacity; ++i)
    store.remember(keyNumber(i), 100 + i);
  // Seen again, the oldest becomes the most recent and stays; the next goes.
  store.remember(keyNumber(0), 90);
  store.remember(keyNumber(ResumeStore::Capacity), 95);
  store.forget(keyNumber(5));
  ASSERT_TRUE(store.save());

  ResumeStore reread(path);
  EXPECT_EQ(reread.position(keyNumber(0)), 90);
  EXPECT_EQ(reread.position(keyNumber(1)), std::nullopt);
  EXPECT_EQ(reread.position(keyNumber(2)), 102);
  EXPECT_EQ(reread.position(keyNumber(5)), std::nullopt);
  EXPECT_EQ(reread.position(keyNumber(ResumeStore::Capacity)), 95);
  EXPECT_EQ(contentOf(path).count('\n'), ResumeStore::Capacity - 1);
}

TEST(ResumeStore, DamagedLinesAreSkippedAndTheRestIsRead)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  const char damaged[] = "200.000\t/good/one.mkv\n"
                         "no tab at all\n"
                         "\t/no/number.mkv\n"
                         "nan\t/not/a/number.mkv\n"
                         "-5\t/negative.mkv\n"
                         "1e300\t/too/far.mkv\n"
                         "100\t/bad/escape%G1.mkv\n"
                         "100\t/cut/escape%4\n"
                         "100\t/nul%00byte.mkv\n"
                         "100\t/raw space.mkv\n"
                         "12\t\n"
                         "\x00\x01\xff\xfe\t\x80\x81\n"
                         "300.5\t/written/elsewhere.mkv\r\n"
                         "999\t/good/one.mkv\n"
                         "75\t/good/three.mkv";
  ASSERT_TRUE(putContent(path, QByteArray(damaged, sizeof damaged - 1)));
  ResumeStore store(path);
  EXPECT_EQ(store.position(QStringLiteral("/good/one.mkv")), 200); // the first line of a key wins
  EXPECT_EQ(store.position(QStringLiteral("/good/three.mkv")), 75);  // no newline at the end
  for (const char* key : {"/no/number.mkv", "/not/a/number.mkv", "/negative.mkv", "/too/far.mkv",
                          "/bad/escape%G1.mkv", "/cut/escape", "/raw space.mkv", "/written/elsewhere.mkv"})
    EXPECT_EQ(store.position(QString::fromLatin1(key)), std::nullopt) << key;
}

TEST(ResumeStore, AnOversizedOrUnreadableFileIsIgnoredAndReplacedOnTheNextWrite)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  QByteArray huge = "100\t/first.mkv\n";
  huge += QByteArray(ResumeStore::MaximumFileSize, 'x');
  ASSERT_TRUE(putContent(path, huge));
  ResumeStore oversized(path);
  EXPECT_EQ(oversized.position(QStringLiteral("/first.mkv")), std::nullopt);
  oversized.remember(QStringLiteral("/next.mkv"), 70);
  ASSERT_TRUE(oversized.save());
  EXPECT_EQ(contentOf(path), "70.000\t/next.mkv\n");

  // A folder where the file should be: nothing to read, and no write either.
  const QString folder = dir.filePath(QStringLiteral("folder"));
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder/inside")));
  ResumeStore unreadable(folder);
  EXPECT_EQ(unreadable.position(QStringLiteral("/first.mkv")), std::nullopt);
  unreadable.remember(QStringLiteral("/first.mkv"), 70);
  EXPECT_FALSE(unreadable.save());
}

TEST(ResumeStore, AFailedWriteLeavesTheOldFileAndIsTriedAgain)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  ResumeStore store(path);
  store.remember(QStringLiteral("/a.mkv"), 100);
  ASSERT_TRUE(store.save());
  const QByteArray before = contentOf(path);

  store.remember(QStringLiteral("/b.mkv"), 200);
  {
    UnwritableFolder locked(dir.path());
    if (!locked.refuses())
      GTEST_SKIP() << "this folder cannot be made unwritable";
    QString error;
    EXPECT_FALSE(store.save(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入"))) << error.toStdString();
    EXPECT_EQ(contentOf(path), before);
  }
  // Nothing was written, so the change is still to be written.
  EXPECT_TRUE(store.save());
  EXPECT_EQ(ResumeStore(path).position(QStringLiteral("/b.mkv")), 200);
  EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("positions")});
}

TEST(ResumeStore, LivesInTheUsersStateFolder)
{
  {
    ScopedEnv state("XDG_STATE_HOME", QByteArray("/var/tmp/state"));
    EXPECT_EQ(ResumeStore::defaultPath(), QStringLiteral("/var/tmp/state/Kelvarino/positions"));
  }
  ScopedEnv home("HOME", QByteArray("/home/someone"));
  for (const std::optional<QByteArray>& ignored : {std::optional<QByteArray>(), std::optional<QByteArray>("relative")}) {
    ScopedEnv state("XDG_STATE_HOME", ignored);
    EXPECT_EQ(ResumeStore::defaultPath(), QStringLiteral("/home/someone/.local/state/Kelvarino/positions"));
  }
}

TEST(ResumeStore, ChoicesLiveBesideThePositionAndOlderLinesStillRead)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  ASSERT_TRUE(putContent(path, "200.000\t/old/line.mkv\n"
                               "-\t/short/clip.mkv\taudio=2 sub=off delay=-0.300\n"
                               "90.000\t/both.mkv\tsub=3 later=word\n"
                               "-\t/nothing/kept.mkv\n"
                               "-\t/no/choices.mkv\t\n"
                               "50\t/bad/track.mkv\taudio=0\n"
                               "50\t/bad/delay.mkv\tdelay=1e9\n"
                               "50\t/bad/word.mkv\tsub\n"
                               "50\t/four/fields.mkv\tsub=1\tx\n"));
  ResumeStore store(path);
  EXPECT_EQ(store.position(QStringLiteral("/old/line.mkv")), 200);
  EXPECT_TRUE(store.choices(QStringLiteral("/old/line.mkv")).isEmpty());
  EXPECT_EQ(store.position(QStringLiteral("/short/clip.mkv")), std::nullopt);
  EXPECT_EQ(store.choices(QStringLiteral("/short/clip.mkv")), (ItemChoices{2, 0, -0.3}));
  EXPECT_EQ(store.choices(QStringLiteral("/both.mkv")),
            (ItemChoices{std::nullopt, 3, std::nullopt}))
      << "a word of a later version is passed over";
  for (const char* key : {"/nothing/kept.mkv", "/no/choices.mkv", "/bad/track.mkv",
                          "/bad/delay.mkv", "/bad/word.mkv", "/four/fields.mkv"})
    EXPECT_EQ(store.position(QString::fromLatin1(key)), std::nullopt) << key;

  // Choosing adds to what was chosen; the end of an item forgets its
  // position only, and an item with neither goes.
  store.choose(QStringLiteral("/old/line.mkv"), {std::nullopt, 1, std::nullopt});
  store.choose(QStringLiteral("/old/line.mkv"), {std::nullopt, std::nullopt, 1.5});
  store.forget(QStringLiteral("/old/line.mkv"));
  store.forget(QStringLiteral("/both.mkv"));
  store.choose(QStringLiteral("/new.mkv"), {4, std::nullopt, std::nullopt});
  store.remember(QStringLiteral("/new.mkv"), 61);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(contentOf(path), "61.000\t/new.mkv\taudio=4\n"
                             "-\t/both.mkv\tsub=3\n"
                             "-\t/old/line.mkv\tsub=1 delay=1.500\n"
                             "-\t/short/clip.mkv\taudio=2 sub=off delay=-0.300\n");
}

TEST(ResumeStore, TwoWindowsChoicesAndPositionsMerge)
{
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("positions"));
  ResumeStore first(path), second(path);
  first.remember(QStringLiteral("/film.mkv"), 100);
  ASSERT_TRUE(first.save());
  second.choose(QStringLiteral("/film.mkv"), {2, std::nullopt, std::nullopt});
  ASSERT_TRUE(second.save());
  first.choose(QStringLiteral("/film.mkv"), {std::nullopt, 0, std::nullopt});
  ASSERT_TRUE(first.save());
  EXPECT_EQ(contentOf(path), "100.000\t/film.mkv\taudio=2 sub=off\n");
  EXPECT_EQ(second.choices(QStringLiteral("/film.mkv")), (ItemChoices{2, 0, std::nullopt}));
}

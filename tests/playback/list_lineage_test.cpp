#include "playback/list_lineage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Verdict = ListLineage::Verdict;

// The engine's own order: start, load, and for a list its replacement by the
// entries it holds, whose ids follow the last id given.
class ListLineageTest : public testing::Test {
protected:
  ListLineage lineage;
  int64_t nextId = 1;

  Verdict open(int64_t entry, const QString& source)
  {
    lineage.started(entry);
    return lineage.loading(source);
  }
  int64_t expand(int64_t entry, int count)
  {
    const int64_t first = ++nextId;
    nextId += count - 1;
    lineage.expanded(entry, first, count);
    return first;
  }
};

TEST_F(ListLineageTest, AListNeverOpensInsideItselfDirectlyOrThroughAnother)
{
  ASSERT_EQ(open(1, "/m/self.m3u"), Verdict::Load);
  int64_t inner = expand(1, 1);
  EXPECT_EQ(open(inner, "/m/self.m3u"), Verdict::ListsItself);

  ASSERT_EQ(open(10, "/m/a.m3u"), Verdict::Load);
  const int64_t b = expand(10, 2); // b.m3u, clip.mp4
  ASSERT_EQ(open(b, "/m/b.m3u"), Verdict::Load);
  inner = expand(b, 1); // a.m3u again
  EXPECT_EQ(open(inner, "/m/a.m3u"), Verdict::ListsItself);
  EXPECT_EQ(open(b + 1, "/m/clip.mp4"), Verdict::Load) << "the rest of the list still plays";
}

TEST_F(ListLineageTest, TheSameListTwiceSideBySideIsNoLoopButNestingIsBounded)
{
  ASSERT_EQ(open(1, "/m/top.m3u"), Verdict::Load);
  const int64_t twice = expand(1, 2);
  EXPECT_EQ(open(twice, "/m/inner.m3u"), Verdict::Load);
  EXPECT_EQ(open(twice + 1, "/m/inner.m3u"), Verdict::Load);

  int64_t entry = 100;
  ASSERT_EQ(open(entry, "/d/0.m3u"), Verdict::Load);
  for (int depth = 1; depth <= ListLineage::MaxDepth; ++depth) {
    entry = expand(entry, 1);
    ASSERT_EQ(open(entry, QString("/d/%1.m3u").arg(depth)), Verdict::Load) << depth;
  }
  entry = expand(entry, 1);
  EXPECT_EQ(open(entry, "/d/deepest.m3u"), Verdict::TooDeep);
}

TEST_F(ListLineageTest, AListReachedThroughALinkOrAFileUrlIsTheSameList)
{
  QTemporaryDir dir;
  const QString list = dir.filePath("list.m3u");
  QFile(list).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QFile::link(list, dir.filePath("link.m3u")));
  ASSERT_EQ(open(1, list), Verdict::Load);
  const int64_t entries = expand(1, 2);
  EXPECT_EQ(open(entries, dir.filePath("link.m3u")), Verdict::ListsItself);
  EXPECT_EQ(open(entries + 1, "file://" + list), Verdict::ListsItself);
}

TEST(ListLineageSources, APipeOrADeviceIsNeitherFileNorFolderHoweverNamed)
{
  QTemporaryDir dir;
  const QString pipe = dir.filePath("pipe.m3u");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  for (const QString& special : {pipe, "file://" + pipe, QString("/dev/null")})
    EXPECT_TRUE(ListLineage::isNeitherFileNorFolder(special)) << special.toStdString();
  for (const QString& other : {dir.path(), dir.filePath("gone.m3u"), "http://host" + pipe})
    EXPECT_FALSE(ListLineage::isNeitherFileNorFolder(other)) << other.toStdString();
}

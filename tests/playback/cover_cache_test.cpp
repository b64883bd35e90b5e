#include "playback/cover_cache.h"
#include "temporary_files.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CoverCache, AnItemsPictureIsNamedAfterItsCanonicalPathSizeAndTime)
{
  QTemporaryDir dir;
  const CoverCache cache(dir.filePath("covers"));
  const QString song = dir.filePath("song.mp3");
  ASSERT_TRUE(putContent(song, "x") && QFile::link(song, dir.filePath("link.mp3")));
  const QString picture = cache.fileFor(song);
  EXPECT_TRUE(picture.startsWith(dir.filePath("covers/")) && picture.endsWith(".png"));
  EXPECT_EQ(cache.fileFor(dir.filePath("link.mp3")), picture);
  ASSERT_TRUE(putContent(song, "xy"));
  EXPECT_NE(cache.fileFor(song), picture) << "an edited file may have another cover";
  EXPECT_NE(cache.fileFor("http://radio.example/a"), cache.fileFor("http://radio.example/b"));
}

TEST(CoverCache, OnlyTheNewestPicturesStayAndOneUsedAgainCountsAsNew)
{
  QTemporaryDir dir;
  const CoverCache cache(dir.filePath("covers"));
  const QDateTime longAgo = QDateTime::currentDateTimeUtc().addDays(-1);
  ASSERT_TRUE(QDir().mkpath(dir.filePath("covers")));
  for (int i = 0; i < CoverCache::Kept; ++i) {
    QFile old(dir.filePath(QString("covers/%1.png").arg(i)));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.setFileTime(longAgo.addSecs(i), QFileDevice::FileModificationTime);
  }
  EXPECT_TRUE(cache.has(dir.filePath("covers/0.png")));
  const auto picture = [](QIODevice& out, QString*) { return out.write("png") == 3; };
  ASSERT_TRUE(cache.store(dir.filePath("covers/new.png"), picture));
  EXPECT_EQ(entriesOf(dir.filePath("covers")).size(), CoverCache::Kept);
  EXPECT_TRUE(QFile::exists(dir.filePath("covers/0.png")));
  EXPECT_FALSE(QFile::exists(dir.filePath("covers/1.png"))) << "the oldest one goes";
}

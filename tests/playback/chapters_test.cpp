#include "playback/chapters.h"

#include <gtest/gtest.h>

TEST(ChaptersTest, TheChapterAtATimeAndTheOnesAroundIt)
{
  const QVector<Chapter> chapters{{10, "a"}, {20, "b"}, {30, "c"}};
  EXPECT_EQ(Chapters::at(chapters, 5), std::nullopt);
  EXPECT_EQ(Chapters::at(chapters, 25), 1);
  EXPECT_EQ(Chapters::next(chapters, 5), 0);
  EXPECT_EQ(Chapters::next(chapters, 30), std::nullopt);
  EXPECT_EQ(Chapters::previous(chapters, 5), std::nullopt);
  EXPECT_EQ(Chapters::previous(chapters, 12), 0) << "the first has none before it";
  EXPECT_EQ(Chapters::at({}, 5), std::nullopt);
  EXPECT_EQ(Chapters::next({}, 5), std::nullopt);
}

TEST(ChaptersTest, ThousandsOfChaptersMarkTheBarNoFinerThanItsPixels)
{
  QVector<Chapter> chapters;
  for (int i = 0; i < 10000; ++i)
    chapters.append(Chapter{i * 0.1, {}});
  const QVector<BarMark> marks = Chapters::marks(chapters, 1000);
  EXPECT_LE(marks.size(), 4096);
  EXPECT_GE(marks.size(), 900);
  EXPECT_GT(marks.first().seconds, 0) << "no mark where the item starts";
  EXPECT_TRUE(Chapters::marks(chapters, 0).isEmpty()) << "no duration, no place for marks";
  EXPECT_EQ(Chapters::marks({Chapter{5, {}}, Chapter{50, {}}}, 20).size(), 1)
      << "past the end: none";
}

#include "playback/seek_preview_plan.h"

#include "fake_engine.h"
#include <gtest/gtest.h>

TEST(SeekPreviewPlanTest, AFifthOfTheVideoWithinBoundsAndNoneForSoundOrAddresses)
{
  const auto size = [](int w, int h, const char* source = "/f/a.mkv") {
    return SeekPreviewPlan::pictureSize(FakeEngine::video(w, h, source));
  };
  EXPECT_EQ(size(1920, 1080), QSize(320, 180));
  EXPECT_EQ(size(640, 480), QSize(160, 120));
  EXPECT_EQ(size(1000, 1000), QSize(200, 200));
  EXPECT_EQ(size(1080, 1920).height(), 384);
  EXPECT_EQ(size(100000, 2), QSize(320, 16))
      << "a sliver still gets a band";
  EXPECT_TRUE(size(1920, 1080, "http://h/a.mp4").isEmpty());
  MediaItem cover = FakeEngine::video(300, 300, "/f/a.mp3");
  cover.showsCoverArt = true;
  EXPECT_TRUE(SeekPreviewPlan::pictureSize(cover).isEmpty());
  EXPECT_TRUE(SeekPreviewPlan::pictureSize(MediaItem{}).isEmpty());
}

TEST(SeekPreviewPlanTest, TheTimeAndTheTitleOfItsChapter)
{
  const QVector<Chapter> chapters{{0, "片头"}, {60, ""}, {3600, "结尾"}};
  EXPECT_EQ(SeekPreviewPlan::caption(30, chapters), "0:30\n片头");
  EXPECT_EQ(SeekPreviewPlan::caption(90, chapters), "1:30") << "an untitled chapter";
  EXPECT_EQ(SeekPreviewPlan::caption(3725, chapters), "1:02:05\n结尾");
  EXPECT_EQ(SeekPreviewPlan::caption(5, {}), "0:05");
}

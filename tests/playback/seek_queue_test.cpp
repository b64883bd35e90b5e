#include "playback/seek_queue.h"

#include <gtest/gtest.h>

using Seek = SeekQueue::Seek;
using Want = SeekQueue::Want;

TEST(SeekQueueTest, OneSeekAtATimeAndOfTheTimesAskedMeanwhileOnlyTheNewest)
{
  SeekQueue queue;
  EXPECT_EQ(queue.ask(10, Want::Nearby, 0), (Seek{10, false}));
  EXPECT_EQ(queue.ask(11, Want::Nearby, 10), std::nullopt);
  EXPECT_EQ(queue.ask(12, Want::Nearby, 11), std::nullopt);
  EXPECT_TRUE(queue.busy());
  EXPECT_EQ(queue.target(), 12);
  EXPECT_EQ(queue.landed(8), (Seek{12, false}));
  EXPECT_EQ(queue.landed(12), std::nullopt);
  EXPECT_FALSE(queue.busy());
  // A pointer resting where the picture already is sends nothing; once it
  // rests, the exact picture follows without another keyframe.
  EXPECT_EQ(queue.ask(12, Want::Nearby, 12), std::nullopt);
  EXPECT_EQ(queue.ask(13.5, Want::Nearby, 12), (Seek{13.5, false}));
  EXPECT_EQ(queue.landed(12), std::nullopt);
  EXPECT_EQ(queue.ask(13.5, Want::Exact, 13.5), (Seek{13.5, true}));
  EXPECT_EQ(queue.landed(13.5), std::nullopt);
  EXPECT_EQ(queue.ask(13.5, Want::Exact, 13.5), std::nullopt) << "there already";
}

TEST(SeekQueueTest, AnExactSeekShowsItsKeyframeFirstUnlessThatLiesBehind)
{
  SeekQueue queue;
  EXPECT_EQ(queue.ask(12.3, Want::QuickThenExact, 7.3), (Seek{12.3, false}));
  EXPECT_EQ(queue.landed(12), (Seek{12.3, true}));
  EXPECT_EQ(queue.landed(12.3), std::nullopt);
  // Back: the keyframe is behind the time, so behind the picture left too.
  EXPECT_EQ(queue.ask(7.3, Want::QuickThenExact, 12.3), (Seek{7.3, false}));
  EXPECT_EQ(queue.landed(6), (Seek{7.3, true}));
  EXPECT_EQ(queue.landed(7.3), std::nullopt);
  // Keyframes have been 1.3 s behind their times: a second forward may find
  // its keyframe behind the picture it leaves, so it goes straight there.
  EXPECT_EQ(queue.ask(8.3, Want::QuickThenExact, 7.3), (Seek{8.3, true}));
  EXPECT_EQ(queue.landed(8.3), std::nullopt);
  // A quick seek told as landed on the time itself is still followed by the
  // exact one: a seek sent while the file starts is told so before it lands.
  EXPECT_EQ(queue.ask(0, Want::QuickThenExact, 8.3), (Seek{0, false}));
  EXPECT_EQ(queue.landed(0), (Seek{0, true}));
  EXPECT_EQ(queue.landed(0), std::nullopt);
  // Scrubbing ends with the exact picture where the pointer let go.
  EXPECT_EQ(queue.ask(30, Want::Nearby, 0), (Seek{30, false}));
  EXPECT_EQ(queue.ask(30, Want::QuickThenExact, 30), std::nullopt);
  EXPECT_EQ(queue.landed(28), (Seek{30, true}));
}

TEST(SeekQueueTest, ANewItemForgetsTheSeekOnItsWayAndTheKeyframesLearnt)
{
  SeekQueue queue;
  queue.ask(20, Want::QuickThenExact, 0);
  queue.landed(10);
  queue.reset();
  EXPECT_FALSE(queue.busy());
  EXPECT_EQ(queue.landed(5), std::nullopt) << "an old seek's picture is nobody's";
  EXPECT_EQ(queue.ask(25, Want::QuickThenExact, 20), (Seek{25, false}));
  EXPECT_EQ(queue.landed(-1), (Seek{25, true})) << "a time unknown is no exact picture";
}

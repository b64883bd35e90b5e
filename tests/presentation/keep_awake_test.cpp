#include "presentation/keep_awake.h"

#include "core/media_engine.h"
#include "fake_presentation.h"
#include <QThread>
#include <gtest/gtest.h>

// Keeping awake with only its double of the system's idle timers.
class KeepAwakeTest : public testing::Test {
protected:
  FakeExecutionState system;
  KeepAwake keepAwake{system};

  // The player's events as they reach it: an item ends and the next plays.
  void nextItem()
  {
    keepAwake.stop(PlayState::MediaEnded);
    EXPECT_FALSE(keepAwake.TSeelp.isActive());
    keepAwake.start();
  }
};

TEST_F(KeepAwakeTest, EachTickResetsTheDisplayAndThenTheSystemOnce)
{
  keepAwake.TSeelp_Timer();
  keepAwake.TSeelp_Timer();
  EXPECT_EQ(system.calls, (QList<unsigned>{2, 1, 2, 1}));
}

TEST_F(KeepAwakeTest, TheMinuteGoesOnFromItemToItemButNotAfterAStop)
{
  keepAwake.start();
  QThread::msleep(30);
  nextItem();
  ASSERT_TRUE(keepAwake.TSeelp.isActive());
  EXPECT_LE(keepAwake.TSeelp.remainingTime(), KeepAwake::IntervalMs - 30)
      << "a row of short items still resets the idle timers once a minute";

  // A minute already due when the next item starts resets at once.
  keepAwake.TSeelp.start(1);
  QThread::msleep(5);
  system.calls.clear();
  nextItem();
  EXPECT_EQ(system.calls.size(), 2);
  EXPECT_GT(keepAwake.TSeelp.remainingTime(), KeepAwake::IntervalMs - 1000);

  keepAwake.stop(PlayState::Stopped);
  keepAwake.start();
  EXPECT_GT(keepAwake.TSeelp.remainingTime(), KeepAwake::IntervalMs - 1000)
      << "after a stop the minute starts afresh";
}

#include "form_fixture.h"

#include "fake_presentation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <limits>

// The progress with only the player and a taskbar double.
class TaskbarProgressTest : public testing::Test {
protected:
  FakeEngine player;
  QStringList calls;
  std::unique_ptr<TaskbarProgress> progress =
      std::make_unique<TaskbarProgress>(player, std::make_unique<FakeTaskbarList>(calls));

  QStringList tick(int state, double position = 0, double duration = 0)
  {
    player.state = state;
    player.position = position;
    MediaItem item = FakeEngine::video(640, 360);
    item.duration = duration;
    player.item = item;
    calls.clear();
    progress->TTask.start();
    progress->TTask_Timer();
    return calls;
  }
};

TEST_F(TaskbarProgressTest, PlayingShowsWholeSecondsInTheNormalStateAndKeepsTicking)
{
  EXPECT_EQ(tick(PlayState::Playing, 75.9, 300.4), (QStringList{"value 75 300", "state 2"}));
  EXPECT_TRUE(progress->TTask.isActive());
  EXPECT_EQ(tick(PlayState::Playing, 0.9, 299.6), (QStringList{"value 0 300", "state 2"}));
  // Halves of the duration go to the even second; the position is cut.
  EXPECT_EQ(tick(PlayState::Playing, 12.5, 300.5).first(), "value 12 300");
  EXPECT_EQ(tick(PlayState::Playing, 12.999, 301.5).first(), "value 12 302");
}

TEST_F(TaskbarProgressTest, AnItemWithoutADurationOrWithoutAnyItemHasTotalZero)
{
  EXPECT_EQ(tick(PlayState::Playing, 4.2, 0).first(), "value 4 0");
  player.item.reset();
  calls.clear();
  progress->TTask_Timer();
  EXPECT_EQ(calls.first(), "value 4 0");
}

TEST_F(TaskbarProgressTest, ATimeThatIsNoTimeCountsAsZero)
{
  EXPECT_EQ(tick(PlayState::Playing, -0.5, std::nan("")).first(), "value 0 0");
  EXPECT_EQ(tick(PlayState::Playing, std::numeric_limits<double>::infinity(), -3).first(),
            "value 0 0");
}

TEST_F(TaskbarProgressTest, PausedShowsThePositionOnceThenTheTimerStops)
{
  EXPECT_EQ(tick(PlayState::Paused, 75.9, 300.4), (QStringList{"value 75 300", "state 8"}));
  EXPECT_FALSE(progress->TTask.isActive());
}

TEST_F(TaskbarProgressTest, TransitioningShowsTheIndeterminateBarAndStops)
{
  EXPECT_EQ(tick(PlayState::Transitioning, 10, 300), QStringList{"state 1"});
  EXPECT_FALSE(progress->TTask.isActive());
}

TEST_F(TaskbarProgressTest, EveryOtherStateRemovesTheBarAndStops)
{
  for (int state : {PlayState::Undefined, PlayState::Stopped, PlayState::Buffering,
                    PlayState::MediaEnded, PlayState::Ready, PlayState::Reconnecting}) {
    EXPECT_EQ(tick(state, 10, 300), QStringList{"state 0"}) << state;
    EXPECT_FALSE(progress->TTask.isActive()) << state;
  }
}

TEST_F(TaskbarProgressTest, WithoutTheFacilityNothingIsCalledYetTheTimerStopsItself)
{
  progress = std::make_unique<TaskbarProgress>(player, nullptr);
  for (int state : {PlayState::Playing, PlayState::Paused, PlayState::Transitioning,
                    PlayState::Stopped}) {
    EXPECT_TRUE(tick(state, 1, 2).isEmpty()) << state;
    EXPECT_EQ(progress->TTask.isActive(), state == PlayState::Playing) << state;
  }
}

class TaskbarStartUpTest : public FormTest {
protected:
  void SetUp() override { load(); }
};

TEST_F(TaskbarStartUpTest, TheListIsMadeOnceAtStartUpRightAfterTheIcon)
{
  const QStringList& log = win().log;
  ASSERT_EQ(log.count("taskbar list"), 1);
  const qsizetype icon = log.indexOf("icon 32");
  ASSERT_GE(icon, 0);
  EXPECT_EQ(log.indexOf("taskbar list"), icon + 1);
  EXPECT_NE(form->progress().TaskbarPtr, nullptr);
}

TEST_F(TaskbarStartUpTest, BothTimersReachTheirTickHandlers)
{
  engine().state = PlayState::Stopped;
  form->progress().TTask.setInterval(1);
  form->keepAwake().TSeelp.setInterval(1);
  form->progress().TTask.start();
  form->keepAwake().TSeelp.start();
  QElapsedTimer waited;
  waited.start();
  while ((gui().taskbarCalls.isEmpty() || gui().idle.calls.isEmpty()) && waited.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_EQ(gui().taskbarCalls.value(0), "state 0");
  EXPECT_FALSE(gui().idle.calls.isEmpty());
}

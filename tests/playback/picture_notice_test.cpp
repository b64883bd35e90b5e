#include "playback/picture_notice.h"

#include "fake_engine.h"
#include "playback/playback_failure.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

void waitMs(int ms)
{
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The engine as the notice hears it: items open, fail and play.
class PictureNoticeTest : public testing::Test {
protected:
  static constexpr int HeldMs = 120, SlowMs = 40;
  FakeEngine engine;
  PictureNotice notice{engine, {HeldMs, SlowMs}};

  void state(int s) { emit engine.PlayStateChange(s); }
  void fail(const QString& source, ItemFailure::Cause cause = ItemFailure::Cause::LoadingFailed)
  {
    ItemFailure failure;
    failure.cause = cause;
    emit engine.itemFailed(source, failure);
  }
  static QString opening(const QString& name) { return PlaybackFailure::openingLine(name); }
  static QString missing(const QString& name) { return PlaybackFailure::line(name, "文件不存在"); }
};

} // namespace

TEST_F(PictureNoticeTest, AnAddressSaysAtOnceThatItOpensALocalFileOnlyWhenSlow)
{
  emit engine.itemOpening("http://host/live.mp4");
  EXPECT_EQ(engine.message, opening("http://host/live.mp4"));
  state(PlayState::Playing);
  EXPECT_EQ(engine.message, "");

  emit engine.itemOpening("/films/quick.mp4");
  state(PlayState::Playing);
  waitMs(2 * SlowMs);
  EXPECT_EQ(engine.message, "") << "a file that opens at once says nothing";

  emit engine.itemOpening("/nfs/slow.mp4");
  waitMs(2 * SlowMs);
  EXPECT_EQ(engine.message, opening("slow.mp4"));
  state(PlayState::Stopped);
  EXPECT_EQ(engine.message, "") << "a stop ends the opening";
}

TEST_F(PictureNoticeTest, AFailureIsHeldWhileTheListGoesOnThenTheNextOpeningIsSaid)
{
  state(PlayState::Transitioning);
  fail("/no/such/a.mp4");
  emit engine.itemOpening("http://host/b.mp4");
  state(PlayState::Transitioning);
  EXPECT_EQ(engine.message, missing("a.mp4")) << "read before the next word";
  waitMs(HeldMs + 40);
  EXPECT_EQ(engine.message, opening("http://host/b.mp4"));

  fail("/no/such/b.mp4");
  state(PlayState::Playing);
  EXPECT_EQ(engine.message, missing("b.mp4")) << "held though the next plays";
  waitMs(HeldMs + 40);
  EXPECT_EQ(engine.message, "");

  state(PlayState::Stopped);
  fail("/no/such/c.mp4");
  waitMs(HeldMs + 40);
  state(PlayState::Paused);
  EXPECT_EQ(engine.message, missing("c.mp4")) << "stays until something plays";
  state(PlayState::Playing);
  EXPECT_EQ(engine.message, "");

  // What a person asks for next is said at once, a failure still held or not.
  fail("/no/such/d.mp4");
  emit engine.urlSet("http://host/e.mp4");
  emit engine.itemOpening("http://host/e.mp4");
  EXPECT_EQ(engine.message, opening("http://host/e.mp4"));
}

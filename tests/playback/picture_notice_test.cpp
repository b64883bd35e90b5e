#include "playback/picture_notice.h"

#include "core/media_engine.h"
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

class PictureNoticeTest : public testing::Test {
protected:
  static constexpr int HeldMs = 120, SlowMs = 40;
  QStringList shown;
  PictureNotice notice{[this](const QString& line) { shown << line; }, {HeldMs, SlowMs}};
};

const QString fsi(QChar(0x2068)), pdi(QChar(0x2069));

} // namespace

TEST_F(PictureNoticeTest, AnAddressSaysAtOnceThatItOpensALocalFileOnlyWhenSlow)
{
  notice.opening("http://host/live.mp4");
  EXPECT_EQ(notice.line(), "正在打开 “" + fsi + "http://host/live.mp4" + pdi + "”…");
  notice.playStateChanged(PlayState::Playing);
  EXPECT_EQ(notice.line(), "");

  shown.clear();
  notice.opening("/films/quick.mp4");
  notice.playStateChanged(PlayState::Playing);
  waitMs(2 * SlowMs);
  EXPECT_TRUE(shown.isEmpty()) << "a file that opens at once says nothing";

  notice.opening("/nfs/slow.mp4");
  waitMs(2 * SlowMs);
  EXPECT_EQ(notice.line(), "正在打开 “" + fsi + "slow.mp4" + pdi + "”…");
  notice.playStateChanged(PlayState::Stopped);
  EXPECT_EQ(notice.line(), "") << "a stop ends the opening";
}

TEST_F(PictureNoticeTest, AFailureIsHeldWhileTheListGoesOnThenTheNextOpeningIsSaid)
{
  notice.playStateChanged(PlayState::Transitioning);
  notice.failed("无法播放 “a.mp4”：文件不存在");
  notice.opening("http://host/b.mp4");
  notice.playStateChanged(PlayState::Transitioning);
  EXPECT_EQ(notice.line(), "无法播放 “a.mp4”：文件不存在") << "read before the next word";
  waitMs(HeldMs + 40);
  EXPECT_EQ(notice.line(), "正在打开 “" + fsi + "http://host/b.mp4" + pdi + "”…");

  notice.failed("无法播放 “b.mp4”：服务器上没有这个文件");
  notice.playStateChanged(PlayState::Playing);
  EXPECT_EQ(notice.line(), "无法播放 “b.mp4”：服务器上没有这个文件") << "held though the next plays";
  waitMs(HeldMs + 40);
  EXPECT_EQ(notice.line(), "");

  notice.playStateChanged(PlayState::Stopped);
  notice.failed("无法播放 “c.mp4”：文件不存在");
  waitMs(HeldMs + 40);
  notice.playStateChanged(PlayState::Paused);
  EXPECT_EQ(notice.line(), "无法播放 “c.mp4”：文件不存在") << "stays until something plays";
  notice.playStateChanged(PlayState::Playing);
  EXPECT_EQ(notice.line(), "");

  // What a person asks for next is said at once, a failure still held or not.
  notice.failed("无法播放 “d.mp4”：文件不存在");
  notice.newRequest();
  notice.opening("http://host/e.mp4");
  EXPECT_EQ(notice.line(), "正在打开 “" + fsi + "http://host/e.mp4" + pdi + "”…");
}

#include "playback/playback_failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace PlaybackFailure;

TEST(PlaybackFailure, TheEnginesCausesGiveShortReasons)
{
  const Source missing = inspect("/no/such/folder/clip.mp4");
  EXPECT_EQ(reason(Cause::LoadingFailed, missing), "文件不存在");
  Source unreadable{.exists = true, .readable = false};
  EXPECT_EQ(reason(Cause::LoadingFailed, unreadable), "没有读取权限");
  const Source address = inspect("http://127.0.0.1:9/live.mp4");
  EXPECT_TRUE(address.address);
  EXPECT_EQ(reason(Cause::LoadingFailed, address), "无法连接到该地址");
  const Source device = inspect("/dev/null");
  EXPECT_TRUE(device.special);
  EXPECT_EQ(reason(Cause::LoadingFailed, device), "不是普通文件");

  Source file{.exists = true, .readable = true};
  EXPECT_EQ(reason(Cause::UnknownFormat, file), "不是媒体文件或格式不受支持");
  EXPECT_EQ(reason(Cause::NothingToPlay, file), "没有可播放的声音或画面");
  EXPECT_EQ(reason(Cause::OutputFailed, file), "无法打开声音或画面输出");
  EXPECT_EQ(reason(Cause::Other, file), "播放出错");
}

TEST(PlaybackFailure, AListOrFolderOfNothingSaysSo)
{
  QTemporaryDir dir;
  QFile list(dir.filePath("empty.M3U"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.close();
  const Source emptyList = inspect(list.fileName());
  EXPECT_TRUE(emptyList.list && emptyList.exists);
  EXPECT_EQ(reason(Cause::UnknownFormat, emptyList), "播放列表中没有可播放的项目");

  ASSERT_TRUE(QDir(dir.path()).mkdir("nothing"));
  const Source folder = inspect(dir.filePath("nothing"));
  EXPECT_TRUE(folder.folder && folder.readable);
  EXPECT_EQ(reason(Cause::UnknownFormat, folder), "文件夹中没有可播放的文件");

  // A file that is no list is not one by its folder's name.
  const Source file = inspect(dir.filePath("nothing.m3u/clip.mp4"));
  EXPECT_FALSE(file.list);
}

TEST(PlaybackFailure, TheLineNamesTheFileNotItsPath)
{
  EXPECT_EQ(displayName("/home/me/视频/a b.mp4"), "a b.mp4");
  EXPECT_EQ(displayName("/home/me/music/"), "music");
  EXPECT_EQ(displayName("/"), "/");
  EXPECT_EQ(displayName("clip.mp4"), "clip.mp4");
  EXPECT_EQ(displayName("http://host/a/b.mp4?x=/y"), "http://host/a/b.mp4?x=/y")
      << "an address is shown whole";
  EXPECT_EQ(line("a.mp4", "文件不存在"), "无法播放 “a.mp4”：文件不存在");
}

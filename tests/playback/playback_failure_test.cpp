#include "playback/playback_failure.h"

#include "core/display_name.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace PlaybackFailure;

TEST(PlaybackFailure, TheEnginesCausesGiveShortReasons)
{
  const Source missing = inspect("/no/such/folder/clip.mp4");
  EXPECT_EQ(reason(Cause::LoadingFailed, missing), "文件不存在");
  Source unreadable;
  unreadable.exists = true;
  EXPECT_EQ(reason(Cause::LoadingFailed, unreadable), "没有读取权限");
  const Source address = inspect("http://127.0.0.1:9/live.mp4");
  EXPECT_TRUE(address.address);
  EXPECT_EQ(reason(Cause::LoadingFailed, address), "无法连接到该地址");
  const Source device = inspect("/dev/null");
  EXPECT_TRUE(device.special);
  EXPECT_EQ(reason(Cause::LoadingFailed, device), "不是普通文件");

  Source file;
  file.exists = file.readable = true;
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

TEST(PlaybackFailure, AnAddressSaysWhatItsServerSaid)
{
  const auto said = [](std::initializer_list<const char*> log, Cause cause = Cause::LoadingFailed) {
    ServerLog server;
    for (const char* line : log)
      server.read("ffmpeg", QString::fromUtf8(line));
    server.read("stream", "Failed to open http://host/clip.mp4.\n");
    Source address = inspect("http://host/clip.mp4");
    address.network = server.take("http://host/clip.mp4");
    return reason(cause, address);
  };
  EXPECT_EQ(said({"http: HTTP error 404 Not Found\n"}), "服务器上没有这个文件");
  EXPECT_EQ(said({"http: HTTP error 403 Forbidden\n"}), "服务器拒绝访问");
  EXPECT_EQ(said({"http: HTTP error 503 Service Unavailable\n"}), "服务器出错（HTTP 503）");
  EXPECT_EQ(said({"tcp: Failed to resolve hostname nosuch.invalid: Name or service not known\n"}),
            "找不到该服务器");
  EXPECT_EQ(said({"tcp: Connection to tcp://127.0.0.1:1 failed: Connection refused\n"}),
            "服务器拒绝连接");
  EXPECT_EQ(said({"Cannot seek backward in linear streams!\n"}), "无法连接到该地址")
      << "a line that says nothing of the server changes nothing";

  // Each address keeps what was said of it, though the log comes after both failed.
  ServerLog server;
  server.read("ffmpeg", "http: HTTP error 404 Not Found\n");
  server.read("stream", "Failed to open http://a/1.mp4.\n");
  server.read("ffmpeg", "tcp: Connection to tcp://b:80 failed: Connection refused\n");
  server.read("stream", "Failed to open http://b/2.mp4.\n");
  EXPECT_TRUE(server.take("http://b/2.mp4").refused);
  EXPECT_EQ(server.take("http://a/1.mp4").httpStatus, 404);
  EXPECT_EQ(server.take("http://a/1.mp4").httpStatus, 0) << "taken once";

  Source silent = inspect("https://host/live");
  silent.network.noAnswer = true;
  EXPECT_EQ(reason(Cause::UnknownFormat, silent), "服务器没有响应");
  Source linear = inspect("http://host/moov-at-end.mp4");
  linear.network.cannotSeek = true;
  EXPECT_EQ(reason(Cause::NothingToPlay, linear), "服务器不支持跳转读取，无法播放这个文件");
  Source file = inspect("/no/such/clip.mp4");
  file.network.httpStatus = 404;
  EXPECT_EQ(reason(Cause::LoadingFailed, file), "文件不存在") << "a file has no server";
}

TEST(PlaybackFailure, TheLineNamesTheFileNotItsPathAndKeepsItApartFromOurWords)
{
  EXPECT_EQ(displayName("/home/me/视频/a b.mp4"), "a b.mp4");
  EXPECT_EQ(displayName("/home/me/music/"), "music");
  EXPECT_EQ(displayName("/"), "/");
  EXPECT_EQ(displayName("clip.mp4"), "clip.mp4");
  EXPECT_EQ(displayName("http://host/a/b.mp4?x=/y"), "http://host/a/b.mp4?x=/y")
      << "an address is shown whole";
  const QString fsi(QChar(0x2068)), pdi(QChar(0x2069));
  EXPECT_EQ(line("a.mp4", "文件不存在"), "无法播放 “" + fsi + "a.mp4" + pdi + "”：文件不存在");
  // A direction override or a line break in a name reorders or breaks nothing.
  const QString hostile = QStringLiteral("line1\nline2\u202Eevil.mp4");
  EXPECT_EQ(line(hostile, "文件不存在"),
            "无法播放 “" + fsi + "line1 line2evil.mp4" + pdi + "”：文件不存在");
  EXPECT_EQ(openingLine("http://host/a.mp4"), "正在打开 “" + fsi + "http://host/a.mp4" + pdi + "”…");
}

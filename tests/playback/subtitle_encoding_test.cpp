#include "playback/subtitle_encoding.h"

#include "temporary_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using enum SubtitleEncoding::CodePage;
using SubtitleEncoding::of;

namespace {

QByteArray cue(const QByteArray& line)
{
  return "1\r\n00:00:01,000 --> 00:00:04,000\r\n" + line + "\r\n\r\n";
}

// "简体字幕" in GBK and "繁體字幕" in Big5: one cue, too little for detection.
const QByteArray ShortGbk = cue("\xBC\xF2\xCC\xE5\xD7\xD6\xC4\xBB");
const QByteArray ShortBig5 = cue("\xC1\x63\xC5\xE9\xA6\x72\xB9\xF5");

} // namespace

TEST(SubtitleEncoding, OnlyShortChineseIsDecidedHereTheRestIsDetections)
{
  EXPECT_EQ(of(ShortGbk), Gb18030);
  // Big5 bytes decode as GB18030 as well, into rare characters.
  EXPECT_EQ(of(ShortBig5), Big5);
  // "第二句：我們明天見。", punctuation included.
  EXPECT_EQ(of(cue("\xB2\xC4\xA4\x47\xA5\x79\xA1\x47\xA7\xDA\xAD\xCC\xA9\xFA\xA4\xD1\xA8\xA3")),
            Big5);
  EXPECT_EQ(of(cue("简体字幕")), Utf8);
  EXPECT_EQ(of("\xEF\xBB\xBF" + cue("简体字幕")), Utf8);
  // Windows-1252 "Café crème, très français." decodes as GB18030, into rare characters.
  EXPECT_EQ(of(cue("Caf\xE9 cr\xE8me, tr\xE8s fran\xE7\x61is.")), Detect);
  // UTF-16, and UTF-8 cut short in the middle of a character.
  EXPECT_EQ(of(QByteArray("\xFF\xFE" "1\0\r\0\n\0", 8)), Detect);
  EXPECT_EQ(of(cue("\xE7\xAE")), Detect);
  EXPECT_EQ(of(ShortGbk.repeated(SubtitleEncoding::ShortText / 8)), Detect);
  // Files loaded together: the first one's that is not UTF-8.
  EXPECT_EQ(SubtitleEncoding::forFiles({Utf8, Big5, Gb18030}), Big5);
}

TEST(SubtitleEncoding, OnlyARegularFileOfBoundedLengthIsRead)
{
  QTemporaryDir dir;
  const QString gbk = dir.path() + "/ep1.chs.srt";
  ASSERT_TRUE(putContent(gbk, ShortGbk));
  EXPECT_EQ(SubtitleEncoding::ofFile(gbk), Gb18030);
  ASSERT_TRUE(putContent(gbk, ShortGbk + QByteArray(SubtitleEncoding::MaxHead, ' ')));
  EXPECT_EQ(SubtitleEncoding::ofFile(gbk), Detect);
  // A FIFO without a writer would block a plain open.
  const QString fifo = dir.path() + "/ep1.srt";
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(SubtitleEncoding::ofFile(fifo), Detect);
}

#include "playback/subtitle_encoding.h"

#include "temporary_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using SubtitleEncoding::CodePage;

namespace {

QByteArray cue(const QByteArray& line)
{
  return "1\r\n00:00:01,000 --> 00:00:04,000\r\n" + line + "\r\n\r\n";
}

// "简体字幕" in GBK and "繁體字幕" in Big5: one cue, too little for detection.
const QByteArray ShortGbk = cue("\xBC\xF2\xCC\xE5\xD7\xD6\xC4\xBB");
const QByteArray ShortBig5 = cue("\xC1\x63\xC5\xE9\xA6\x72\xB9\xF5");

} // namespace

TEST(SubtitleEncoding, AShortFileIsReadAsTheChineseItIs)
{
  EXPECT_EQ(SubtitleEncoding::of(ShortGbk), CodePage::Gb18030);
  // Big5 bytes decode as GB18030 as well, into rare characters.
  EXPECT_EQ(SubtitleEncoding::of(ShortBig5), CodePage::Big5);
  // "第二句：我们明天见。" / "第二句：我們明天見。", punctuation included.
  EXPECT_EQ(SubtitleEncoding::of(cue("\xB5\xDA\xB6\xFE\xBE\xE4\xA3\xBA\xCE\xD2\xC3\xC7\xC3\xF7"
                                     "\xCC\xEC\xBC\xFB\xA1\xA3")),
            CodePage::Gb18030);
  EXPECT_EQ(SubtitleEncoding::of(cue("\xB2\xC4\xA4\x47\xA5\x79\xA1\x47\xA7\xDA\xAD\xCC\xA9\xFA"
                                     "\xA4\xD1\xA8\xA3\xA1\x43")),
            CodePage::Big5);
}

TEST(SubtitleEncoding, UTF8LatinAndLongFilesAreNotTakenForShortChinese)
{
  EXPECT_EQ(SubtitleEncoding::of(cue("简体字幕")), CodePage::Utf8);
  EXPECT_EQ(SubtitleEncoding::of("\xEF\xBB\xBF" + cue("简体字幕")), CodePage::Utf8);
  EXPECT_EQ(SubtitleEncoding::of(cue("plain text")), CodePage::Utf8);
  // Windows-1252: "Café crème, très français." decodes as GB18030, into rare characters.
  EXPECT_EQ(SubtitleEncoding::of(cue("Caf\xE9 cr\xE8me, tr\xE8s fran\xE7\x61is.")),
            CodePage::Detect);
  EXPECT_EQ(SubtitleEncoding::of(cue("fran\xE7\x61is")), CodePage::Detect);
  // UTF-16 and text cut short in the middle of a character.
  EXPECT_EQ(SubtitleEncoding::of(QByteArray("\xFF\xFE" "1\0\r\0\n\0", 8)), CodePage::Detect);
  EXPECT_EQ(SubtitleEncoding::of(cue("\xE7\xAE")), CodePage::Detect);
  // A long GBK file is detection's: it reads those right.
  EXPECT_EQ(SubtitleEncoding::of(ShortGbk.repeated(SubtitleEncoding::ShortText / 8)),
            CodePage::Detect);
}

TEST(SubtitleEncoding, OnlyARegularFileOfBoundedLengthIsRead)
{
  QTemporaryDir dir;
  const QString gbk = dir.path() + "/ep1.chs.srt";
  ASSERT_TRUE(putContent(gbk, ShortGbk));
  EXPECT_EQ(SubtitleEncoding::ofFile(gbk), CodePage::Gb18030);
  // Padded with ASCII past the head read: left to detection.
  ASSERT_TRUE(putContent(gbk, ShortGbk + QByteArray(SubtitleEncoding::MaxHead, ' ')));
  EXPECT_EQ(SubtitleEncoding::ofFile(gbk), CodePage::Detect);

  // A FIFO without a writer would block a plain open.
  const QString fifo = dir.path() + "/ep1.srt";
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(SubtitleEncoding::ofFile(fifo), CodePage::Detect);
  EXPECT_EQ(SubtitleEncoding::ofFile(dir.path() + "/missing.srt"), CodePage::Detect);
}

TEST(SubtitleEncoding, FilesLoadedTogetherTakeTheFirstFilesCodePage)
{
  using enum CodePage;
  EXPECT_EQ(SubtitleEncoding::forFiles({Utf8, Big5, Gb18030}), Big5);
  EXPECT_EQ(SubtitleEncoding::forFiles({Gb18030, Detect}), Gb18030);
  EXPECT_EQ(SubtitleEncoding::forFiles({Utf8}), Utf8);
  EXPECT_EQ(SubtitleEncoding::name(Gb18030), "GB18030");
  EXPECT_EQ(SubtitleEncoding::name(Big5), "BIG5");
  EXPECT_EQ(SubtitleEncoding::name(Detect), "auto");
}

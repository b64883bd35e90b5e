#include "playback/subtitle_files.h"

#include "core/file_name_bytes.h"
#include "qt_printers.h"

#include <QDir>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using SubtitleFiles::belongsTo;

namespace {

// QFile would write a name's bytes that are not UTF-8 as "?".
bool touch(const QByteArray& path)
{
  const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
  return fd >= 0 && ::close(fd) == 0;
}

} // namespace

TEST(SubtitleFiles, ANameThatGoesOnWithALetterOrDigitIsAnotherFiles)
{
  for (const char16_t* own : {u"ep1.srt", u"ep1.zh.srt", u"ep1.chs.ass", u"ep1_简体.srt",
                              u"ep1-en.vtt", u"ep1 (繁体).ssa", u"ep1[chs].sup", u"EP1.SRT",
                              u"Ep1.Zh.Srt", u"ep1.idx", u"ep1.smi", u"ep1.sub"})
    EXPECT_TRUE(belongsTo(QStringView(own), u"ep1.mp4")) << QString::fromUtf16(own).toStdString();
  for (const char16_t* other : {u"ep10.srt", u"ep11.srt", u"ep1a.srt", u"ep1简体.srt", u"ep.srt",
                                u"ep1.txt", u"ep1.srt.bak", u"ep1", u"xep1.srt"})
    EXPECT_FALSE(belongsTo(QStringView(other), u"ep1.mp4"))
        << QString::fromUtf16(other).toStdString();
  // The media's own dots and a name without extension.
  EXPECT_TRUE(belongsTo(u"film.2020.zh.srt", u"film.2020.mkv"));
  EXPECT_FALSE(belongsTo(u"film.2021.srt", u"film.2020.mkv"));
  EXPECT_TRUE(belongsTo(u"film.srt", u"film"));
  // Names that are not UTF-8 (电影 in GBK) match by their bytes; such a byte
  // after the name is most often part of a letter.
  const QString media = decodeFileName("\xB5\xE7\xD3\xB0.mp4");
  EXPECT_TRUE(belongsTo(decodeFileName("\xB5\xE7\xD3\xB0.chs.srt"), media));
  EXPECT_FALSE(belongsTo(decodeFileName("\xB5\xE7\xD3\xB0\xBC\xF2.srt"), media));
  EXPECT_FALSE(belongsTo(decodeFileName("\xB5\xE7\xD3\xB2.srt"), media));
}

TEST(SubtitleFiles, TheFolderGivesItsOwnRegularFilesTheExactNameFirst)
{
  QTemporaryDir dir;
  const QString folder = dir.path() + u'/';
  for (const char* name : {"ep1.mp4", "ep1.zh.srt", "ep1.chs.srt", "EP1.srt", "ep10.srt",
                           "ep11.srt", "ep1.en.idx", "ep1.en.sub", "ep1.jp.sub", "\xB5\xE7.srt"})
    ASSERT_TRUE(touch(folder.toUtf8() + name));
  ASSERT_TRUE(QDir(folder).mkdir("ep1.folder.srt"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "ep1.fifo.srt").constData(), 0600), 0);
  ASSERT_EQ(::symlink("ep1.zh.srt", QFile::encodeName(folder + "ep1.link.srt").constData()), 0);
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(folder + "ep1.gone.srt").constData()), 0);

  QStringList expected;
  for (const char* name :
       {"EP1.srt", "ep1.chs.srt", "ep1.en.idx", "ep1.jp.sub", "ep1.link.srt", "ep1.zh.srt"})
    expected.append(folder + name);
  EXPECT_EQ(SubtitleFiles::of(folder + "ep1.mp4"), expected);

  const QString gbk = decodeFileName(folder.toUtf8() + "\xB5\xE7.mkv");
  EXPECT_EQ(SubtitleFiles::of(gbk), QStringList{decodeFileName(folder.toUtf8() + "\xB5\xE7.srt")});
  EXPECT_EQ(SubtitleFiles::of(folder + "missing/ep1.mp4"), QStringList());
  ::unlink(folder.toUtf8() + "\xB5\xE7.srt"); // QTemporaryDir cannot name it
}

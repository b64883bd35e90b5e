#include "core/file_name_bytes.h"
#include "qt_printers.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(FileNameBytes, AnyBytesComeBackExactly)
{
  const QByteArray names[] = {
      "plain.mp4", "\xE7\x89\x87.mp4",      // UTF-8
      "\xF0\x9F\x8E\xAC.mp4",               // a character past U+FFFF: a surrogate pair
      "\xB2\xE2\xCA\xD4.mp4",               // GBK, not UTF-8
      "\xFF\xFE\x80", "a\xC3", "\xC0\xAF",   // stray, cut short, overlong
      "\xED\xA0\x80", "\xF4\x90\x80\x80",   // an encoded surrogate, past U+10FFFF
  };
  for (const QByteArray& bytes : names)
    EXPECT_EQ(encodeFileName(decodeFileName(bytes)), bytes) << bytes.toHex().toStdString();
}

TEST(FileNameBytes, UTF8IsReadAsTextAndEachOtherByteAsItsOwnMark)
{
  EXPECT_EQ(decodeFileName("\xE7\x89\x87.mp4"), QString::fromUtf8("片.mp4"));
  EXPECT_EQ(decodeFileName("\xF0\x9F\x8E\xAC"), QString::fromUtf8("\xF0\x9F\x8E\xAC"));
  EXPECT_EQ(decodeFileName("a\xB2\xE2z"), QStringView(u"a\xDCB2\xDCE2z").toString());
  EXPECT_EQ(encodeFileName(QString::fromUtf8("片 \"x\"")), QByteArray("\xE7\x89\x87 \"x\""));
}

TEST(FileNameBytes, ANameThatIsNotUtf8IsFoundWhereQtFindsNothing)
{
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.path());
  const QByteArray file = folder + "/\xB2\xE2\xCA\xD4.mp4";
  const int fd = ::open(file.constData(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ::close(fd);

  const QString name = decodeFileName(file);
  EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(file))) << "what Qt's own decoding names";
  EXPECT_EQ(kindOfPath(name), PathKind::File);
  EXPECT_EQ(kindOfPath(decodeFileName(folder)), PathKind::Folder);
  EXPECT_EQ(kindOfPath(name + QChar(0) + "x"), PathKind::Missing) << "a NUL never shortens a name";
  EXPECT_EQ(kindOfPath(QString()), PathKind::Missing);
}

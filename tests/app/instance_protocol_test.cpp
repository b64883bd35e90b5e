#include "app/instance_protocol.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace InstanceProtocol;
using Status = Decoded::Status;

namespace {

QByteArray header(quint32 n)
{
  const char bytes[] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
  return QByteArray(bytes, 4);
}

} // namespace

TEST(InstanceProtocol, CommandsComeBackExactly)
{
  for (const QString& command :
       {QString("nor"), QString("\"/home/me/My Videos/片.mp4\""), QString("GetInfo:/bin/x \"a\" $HOME"),
        QString::fromUtf8("line\nbreak\0nul", 14), QString(), QString(QChar(0xFEFF)) + "bom"}) {
    const Decoded d = decode(encode(command));
    EXPECT_EQ(d.status, Status::Complete) << command.toStdString();
    EXPECT_EQ(d.command, command);
  }
}

TEST(InstanceProtocol, EveryPrefixOfACommandWaitsForMore)
{
  const QByteArray bytes = encode(QStringLiteral("\"/媒体/a.mp4\""));
  for (qsizetype n = 0; n < bytes.size(); ++n)
    EXPECT_EQ(decode(bytes.first(n)).status, Status::Incomplete) << n;
}

TEST(InstanceProtocol, TheLimitIs64KiBOfUtf8)
{
  const QString largest(MaxCommandBytes, u'a');
  EXPECT_EQ(decode(encode(largest)).status, Status::Complete);
  EXPECT_TRUE(encode(largest + u'a').isEmpty());
  // Three bytes each in UTF-8: fewer characters than the limit, more bytes.
  EXPECT_TRUE(encode(QString(MaxCommandBytes / 3 + 1, QChar(0x7247))).isEmpty());
}

TEST(InstanceProtocol, ALengthOverTheLimitIsRejectedFromItsHeaderAlone)
{
  EXPECT_EQ(decode(header(MaxCommandBytes + 1)).status, Status::Rejected);
  EXPECT_EQ(decode(header(0xFFFFFFFF)).status, Status::Rejected);
  EXPECT_EQ(decode(header(MaxCommandBytes)).status, Status::Incomplete);
}

TEST(InstanceProtocol, AnythingButExactlyOneWellFormedCommandIsRejected)
{
  EXPECT_EQ(decode(encode("nor") + "x").status, Status::Rejected) << "bytes after the command";
  EXPECT_EQ(decode(encode("nor") + encode("nor")).status, Status::Rejected) << "a second command";
}

TEST(InstanceProtocol, AFileNameThatIsNotUtf8KeepsItsBytes)
{
  // Names in a legacy encoding, cut short, or holding an encoded surrogate.
  for (const QByteArray& name : {QByteArray("/m/\xB2\xE2\xCA\xD4.mp4"), QByteArray("/m/a\xE7"),
                                 QByteArray("/m/\xED\xA0\x80")}) {
    const Decoded d = decode(header(quint32(name.size())) + name);
    ASSERT_EQ(d.status, Status::Complete) << name.toHex().toStdString();
    EXPECT_EQ(encode(d.command), header(quint32(name.size())) + name);
  }
}

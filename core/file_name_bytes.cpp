#include "core/file_name_bytes.h"

#include <QStringDecoder>
#include <QUrl>
#include <sys/stat.h>

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there
// starts none (overlong forms, surrogates and values past U+10FFFF included).
qsizetype validSequenceAt(QByteArrayView bytes, qsizetype at)
{
  const auto byte = [&](qsizetype i) { return quint8(bytes[i]); };
  const quint8 lead = byte(at);
  if (lead < 0x80)
    return 1;
  qsizetype length = 0;
  quint8 low = 0x80, high = 0xBF; // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0)
      low = 0xA0;
    else if (lead == 0xED)
      high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0)
      low = 0x90;
    else if (lead == 0xF4)
      high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
    return 0;
  for (qsizetype i = 2; i < length; ++i)
    if ((byte(at + i) & 0xC0) != 0x80)
      return 0;
  return length;
}

// Valid UTF-8 as text; a byte-order mark is a character of the name as well.
QString utf8Text(QByteArrayView bytes)
{
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  return utf8(bytes);
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
  QString name;
  name.reserve(bytes.size());
  qsizetype runStart = 0;
  qsizetype at = 0;
  while (at < bytes.size()) {
    const qsizetype length = validSequenceAt(bytes, at);
    if (length > 0) {
      at += length;
      continue;
    }
    name += utf8Text(bytes.sliced(runStart, at - runStart));
    name += QChar(char16_t(EscapeBase + quint8(bytes[at])));
    runStart = ++at;
  }
  name += utf8Text(bytes.sliced(runStart));
  return name;
}

QByteArray encodeFileName(QStringView name)
{
  QByteArray bytes;
  bytes.reserve(name.size());
  qsizetype runStart = 0;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i].unicode();
    // The low half of a surrogate pair is a character's, not an escape.
    if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    if (unit < EscapeBase + 0x80 || unit > EscapeBase + 0xFF)
      continue;
    bytes += name.sliced(runStart, i - runStart).toUtf8();
    bytes += char(unit - EscapeBase);
    runStart = i + 1;
  }
  bytes += name.sliced(runStart).toUtf8();
  return bytes;
}

PathKind kindOfPath(const QString& path)
{
  const QByteArray bytes = encodeFileName(path);
  // No name holds a NUL: the system would read a shorter, other name.
  struct stat info{};
  if (bytes.isEmpty() || bytes.contains('\0') || ::stat(bytes.constData(), &info) != 0)
    return PathKind::Missing;
  if (S_ISREG(info.st_mode))
    return PathKind::File;
  if (S_ISDIR(info.st_mode))
    return PathKind::Folder;
  return PathKind::Other;
}

QString localFileOfUrl(const QUrl& url)
{
  if (!url.host().isEmpty() && url.host() != QLatin1String("localhost"))
    return {};
  return decodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

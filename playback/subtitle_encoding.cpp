#include "playback/subtitle_encoding.h"

#include "core/file_name_bytes.h"

#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using SubtitleEncoding::CodePage;

bool decodesWithoutError(QByteArrayView text, const char* codePage)
{
  iconv_t converter = ::iconv_open("UTF-8", codePage);
  if (converter == iconv_t(-1))
    return false;
  char* in = const_cast<char*>(text.data());
  size_t inLeft = size_t(text.size());
  bool clean = true;
  while (inLeft > 0 && clean) {
    char buffer[4096];
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    clean = ::iconv(converter, &in, &inLeft, &out, &outLeft) != size_t(-1) || errno == E2BIG;
  }
  ::iconv_close(converter);
  return clean;
}

struct Characters {
  int all = 0;    // characters of two bytes or more
  int common = 0; // of them, among the code page's common ones
};

// GB2312's punctuation and full-width rows and its 3755 common characters,
// the level-one set that nearly all simplified text is written in.
bool commonGb(unsigned char lead, unsigned char trail)
{
  return trail >= 0xA1 && trail <= 0xFE &&
      ((lead >= 0xA1 && lead <= 0xA3) || (lead >= 0xB0 && lead <= 0xD7));
}

// Big5's symbols (A140-A3BF) and its 5401 common characters (A440-C67E).
bool commonBig5(unsigned char lead, unsigned char trail)
{
  const int code = lead << 8 | trail;
  return (code >= 0xA140 && code <= 0xA3BF) || (code >= 0xA440 && code <= 0xC67E);
}

// Walks the text as the code page lays it out: a lead byte from 0x81 takes
// one more byte, or three more in GB18030's four-byte form.
Characters count(QByteArrayView text, CodePage page)
{
  Characters characters;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x81 || i + 1 == text.size())
      continue;
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    ++characters.all;
    if (page == CodePage::Gb18030 && trail >= 0x30 && trail <= 0x39) {
      i += 3;
      continue;
    }
    if (page == CodePage::Gb18030 ? commonGb(lead, trail) : commonBig5(lead, trail))
      ++characters.common;
    ++i;
  }
  return characters;
}

bool isUtf8(QByteArrayView text)
{
  // Stateless: a sequence cut short at the end is an error too.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder(text);
  return !decoder.hasError();
}

} // namespace

namespace SubtitleEncoding {

CodePage of(QByteArrayView text)
{
  if (isUtf8(text))
    return CodePage::Utf8;
  const auto isHigh = [](char c) { return (c & 0x80) != 0; };
  const qsizetype outside = std::count_if(text.begin(), text.end(), isHigh);
  if (outside >= ShortText)
    return CodePage::Detect;
  const Characters gb = decodesWithoutError(text, "GB18030") ? count(text, CodePage::Gb18030)
                                                            : Characters{};
  const Characters big5 = decodesWithoutError(text, "BIG5") ? count(text, CodePage::Big5)
                                                           : Characters{};
  // Mostly common characters, or it is not Chinese at all (Latin text with
  // accents often decodes, into rare characters).
  const auto plausible = [](Characters c) { return c.all > 0 && c.common * 2 > c.all; };
  if (plausible(gb) && gb.common >= big5.common)
    return CodePage::Gb18030;
  if (plausible(big5))
    return CodePage::Big5;
  return CodePage::Detect;
}

CodePage ofFile(const QString& path)
{
  const QByteArray bytes = encodeFileName(path);
  if (bytes.contains('\0'))
    return CodePage::Detect;
  // Without O_NONBLOCK opening a FIFO waits for a writer.
  const int fd = ::open(bytes.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return CodePage::Detect;
  struct stat info{};
  QByteArray head;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= MaxHead) {
    head.resize(MaxHead + 1);
    qsizetype filled = 0;
    ssize_t got;
    while ((got = ::read(fd, head.data() + filled, size_t(head.size() - filled))) > 0)
      filled += got;
    head.truncate(got < 0 ? MaxHead + 1 : filled);
  }
  ::close(fd);
  return head.isEmpty() || head.size() > MaxHead ? CodePage::Detect : of(head);
}

CodePage forFiles(const QList<CodePage>& pages)
{
  for (CodePage page : pages)
    if (page != CodePage::Utf8)
      return page;
  return CodePage::Utf8;
}

QByteArray name(CodePage page)
{
  switch (page) {
  case CodePage::Gb18030: return QByteArrayLiteral("GB18030");
  case CodePage::Big5: return QByteArrayLiteral("BIG5");
  case CodePage::Utf8:
  case CodePage::Detect: break;
  }
  return QByteArrayLiteral("auto");
}

} // namespace SubtitleEncoding

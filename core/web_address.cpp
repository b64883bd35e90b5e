#include "core/web_address.h"

#include <algorithm>

namespace WebAddress {

bool isAddress(const QString& source)
{
  return source.contains(QLatin1String("://"));
}

bool captionsByTags(const QString& source)
{
  return source.contains(QLatin1String("http:"));
}

bool passesSaveAsTest(const QString& source)
{
  const QStringView start = QStringView(source).left(2);
  return start == u"Ht" || start == u"HT" || start == u"ht";
}

// Read by hand, as a file name need not be valid UTF-16 (see file_name_bytes.h).
QString withLowerCaseScheme(const QString& url)
{
  const auto isLetter = [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); };
  const auto isSchemeChar = [&](QChar c) {
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'.' || c == u'-';
  };
  const qsizetype end = url.indexOf(QLatin1String("://"));
  if (end <= 0 || !isLetter(url[0]) || !std::all_of(url.begin(), url.begin() + end, isSchemeChar))
    return url;
  return url.first(end).toLower() + url.sliced(end);
}

} // namespace WebAddress

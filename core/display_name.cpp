#include "core/display_name.h"

#include "core/web_address.h"
#include <QList>
#include <algorithm>

namespace {

bool isBidiControl(char32_t c)
{
  return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString displayName(const QString& source)
{
  if (WebAddress::isAddress(source))
    return source;
  // "/music/" names the folder "music".
  QString path = source;
  while (path.size() > 1 && path.endsWith(u'/'))
    path.chop(1);
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 || path.size() == 1 ? path : path.mid(slash + 1);
}

QString singleLine(const QString& text, qsizetype longest)
{
  qsizetype length = std::min(text.size(), longest);
  if (length > 0 && length < text.size() && text.at(length - 1).isHighSurrogate())
    --length;
  QList<uint> kept;
  for (const uint c : text.left(length).toUcs4()) {
    if (isBidiControl(c))
      continue;
    const QChar::Category category = QChar::category(c);
    const bool breaks = category == QChar::Other_Control || category == QChar::Separator_Line ||
                        category == QChar::Separator_Paragraph;
    kept.push_back(breaks ? uint(u' ') : c);
  }
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size())
      .simplified();
}

QString isolated(const QString& name)
{
  // FIRST STRONG ISOLATE … POP DIRECTIONAL ISOLATE.
  return QChar(0x2068) + name + QChar(0x2069);
}

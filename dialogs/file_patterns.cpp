#include "dialogs/file_patterns.h"

FilePatterns::FilePatterns(const QString& patterns)
{
  for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString rx = QRegularExpression::wildcardToRegularExpression(
        p.trimmed(), QRegularExpression::UnanchoredWildcardConversion);
    m_patterns.append(QRegularExpression(QRegularExpression::anchoredPattern(rx),
                                         QRegularExpression::CaseInsensitiveOption));
  }
}

bool FilePatterns::matches(const QString& fileName) const
{
  for (const QRegularExpression& rx : m_patterns)
    if (rx.match(fileName).hasMatch())
      return true;
  return m_patterns.isEmpty();
}

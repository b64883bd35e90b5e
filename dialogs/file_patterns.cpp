#include "dialogs/file_patterns.h"

FilePatterns::FilePatterns(const QString& patterns)
{
  for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) {
    // "*.*" is the all-files pattern of the filter lists, and names without
    // a dot are ordinary files here: it matches every name.
    const QString pattern = p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed();
    const QString rx = QRegularExpression::wildcardToRegularExpression(
        pattern, QRegularExpression::UnanchoredWildcardConversion);
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

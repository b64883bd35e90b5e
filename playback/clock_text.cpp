#include "playback/clock_text.h"

#include <algorithm>
#include <cmath>

QString clockText(double seconds)
{
  const long total = std::lround(std::max(0.0, seconds));
  const long h = total / 3600, m = total / 60 % 60, s = total % 60;
  if (h > 0)
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QChar(u'0')).arg(s, 2, 10, QChar(u'0'));
  return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QChar(u'0'));
}

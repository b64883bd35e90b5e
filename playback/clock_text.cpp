#include "playback/clock_text.h"

#include <cmath>

QString clockText(double seconds)
{
  const long long total = std::isfinite(seconds) && seconds > 0 ? (long long)seconds : 0;
  const long long h = total / 3600, m = total / 60 % 60, s = total % 60;
  if (h > 0)
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QChar(u'0')).arg(s, 2, 10, QChar(u'0'));
  return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QChar(u'0'));
}

QString preciseClockText(double seconds)
{
  const long long ms = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds * 1000) : 0;
  return clockText(double(ms / 1000)) + QStringLiteral(".%1").arg(ms % 1000, 3, 10, QChar(u'0'));
}

#include "playback/on_screen_notes.h"

#include <algorithm>
#include <cmath>

namespace OnScreenNotes {

QString volume(int volume)
{
  return QStringLiteral("音量 %1").arg(volume);
}

QString mute(bool on)
{
  return on ? QStringLiteral("静音") : QStringLiteral("取消静音");
}

QString seek(double position, double duration, bool forward)
{
  const QString arrow = forward ? QStringLiteral("▶") : QStringLiteral("◀");
  if (!(duration > 0))
    return arrow + u' ' + clock(position);
  // A jump past the end lands on the end.
  return QStringLiteral("%1 %2 / %3").arg(arrow, clock(std::min(position, duration)), clock(duration));
}

QString speed(double speed)
{
  // 1.0×, 1.1×, 0.25×: one decimal at least, no float noise.
  QString text = QString::number(std::round(speed * 100) / 100, 'f', 2);
  if (text.endsWith(u'0'))
    text.chop(1);
  return QStringLiteral("速度 %1×").arg(text);
}

QString clock(double seconds)
{
  const long long whole = std::isfinite(seconds) && seconds > 0 ? (long long)seconds : 0;
  const auto two = [](long long n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
  if (whole >= 3600)
    return QStringLiteral("%1:%2:%3").arg(whole / 3600).arg(two(whole / 60 % 60), two(whole % 60));
  return two(whole / 60) + u':' + two(whole % 60);
}

} // namespace OnScreenNotes

#include "playback/on_screen_notes.h"

#include "core/display_name.h"
#include "playback/clock_text.h"

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
    return arrow + u' ' + clockText(position);
  // A jump past the end lands on the end.
  return QStringLiteral("%1 %2 / %3").arg(arrow, clockText(std::min(position, duration)), clockText(duration));
}

QString speed(double speed)
{
  // 1.0×, 1.1×, 0.25×: one decimal at least, no float noise.
  QString text = QString::number(std::round(speed * 100) / 100, 'f', 2);
  if (text.endsWith(u'0'))
    text.chop(1);
  return QStringLiteral("速度 %1×").arg(text);
}

QString startOver()
{
  return QStringLiteral("从头播放");
}

QString chapter(int number, int count, const QString& title)
{
  const QString place = QStringLiteral("第 %1 章 / 共 %2 章").arg(number).arg(count);
  return title.isEmpty() ? place : place + u'：' + isolated(title);
}

} // namespace OnScreenNotes

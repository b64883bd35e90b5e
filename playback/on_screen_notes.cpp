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

QString loopStart(double a)
{
  return QStringLiteral("循环起点 %1").arg(clockText(a));
}

QString loop(double a, double b)
{
  return QStringLiteral("循环 %1 – %2").arg(clockText(a), clockText(b));
}

QString loopCleared()
{
  return QStringLiteral("循环已取消");
}

QString frame(double position, bool forward)
{
  return (forward ? QStringLiteral("下一帧 ") : QStringLiteral("上一帧 ")) + preciseClockText(position);
}

QString subtitleDelay(double seconds)
{
  const double tenths = std::round(seconds * 10);
  if (tenths == 0)
    return QStringLiteral("字幕延迟 0 秒");
  // A real minus sign: a hyphen reads as a dash beside the number.
  const QString sign = tenths < 0 ? QStringLiteral("−") : QStringLiteral("+");
  return QStringLiteral("字幕延迟 %1%2 秒").arg(sign, QString::number(std::abs(tenths) / 10, 'f', 1));
}

QString screenshotSaved(const QString& fileName)
{
  return QStringLiteral("截图已保存：") + fileName;
}

QString screenshotFailed()
{
  return QStringLiteral("无法保存截图");
}

QString screenshotFolderUnwritable(const QString& folder)
{
  return QStringLiteral("无法保存截图：文件夹 %1 不能写入").arg(folder);
}

QString noPicture()
{
  return QStringLiteral("没有可截取的画面");
}

QString noFrames()
{
  return QStringLiteral("没有可逐帧查看的画面");
}

QString chapter(int number, int count, const QString& title)
{
  const QString place = QStringLiteral("第 %1 章 / 共 %2 章").arg(number).arg(count);
  return title.isEmpty() ? place : place + u'：' + isolated(title);
}

} // namespace OnScreenNotes

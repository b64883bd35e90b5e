#pragma once

#include <QString>

// The brief notes the picture shows when a person changes something.
namespace OnScreenNotes {

QString volume(int volume);               // "音量 55"
QString mute(bool on);                    // "静音" / "取消静音"
// "▶ 1:23 / 5:00" forward, "◀ …" back; the total left out when unknown.
QString seek(double position, double duration, bool forward);
QString speed(double speed);              // "速度 1.1×"
QString startOver();                      // "从头播放"
// "第 3 章 / 共 12 章：标题" (1-based), without the colon when untitled.
QString chapter(int number, int count, const QString& title);

} // namespace OnScreenNotes

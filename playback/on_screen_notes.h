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

QString loopStart(double a);              // "循环起点 1:02"
QString loop(double a, double b);         // "循环 1:02 – 1:15"
QString loopCleared();                    // "循环已取消"
QString frame(double position, bool forward); // "下一帧 1:02.040" / "上一帧 …"
QString subtitleDelay(double seconds);    // "字幕延迟 −0.3 秒", "字幕延迟 +0.1 秒", "字幕延迟 0 秒"
QString screenshotSaved(const QString& fileName); // "截图已保存：<name>"
QString screenshotFailed();
QString screenshotFolderUnwritable(const QString& folder);
QString noPicture();                      // nothing to take a screenshot of
QString noFrames();                       // a sound has no frames to step through

} // namespace OnScreenNotes

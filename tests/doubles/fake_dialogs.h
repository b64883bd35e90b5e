#pragma once

#include "core/file_dialogs.h"
#include "core/message_boxes.h"
#include <QStringList>

// File dialogs that answer what the test prepared and remember what they were asked.
class FakeFileDialogs : public FileDialogs {
public:
  QStringList answerFiles;  // for getOpenFileNames; empty = cancel
  QString answerFile;       // for the single-file forms; empty = cancel
  struct Call {
    QString kind, title, preset, defaultSuffix;
    QVector<FileFilter> filters;
    bool multiple = false;
  };
  QVector<Call> calls;

  QStringList getOpenFileNames(const QString& title, const QVector<FileFilter>& filters,
                               bool multiple) override
  {
    calls.append({"open-many", title, {}, {}, filters, multiple});
    return answerFiles;
  }
  QString getOpenFileName(const QString& title, const QString& preset,
                          const QVector<FileFilter>& filters) override
  {
    calls.append({"open", title, preset, {}, filters, false});
    return answerFile;
  }
  QString getSaveFileName(const QString& title, const QString& preset,
                          const QVector<FileFilter>& filters, const QString& suffix) override
  {
    calls.append({"save", title, preset, suffix, filters, false});
    return answerFile;
  }
};

class FakeMessageBoxes : public MessageBoxes {
public:
  Answer answer = Answer::Ok;
  struct Shown {
    Icon icon;
    QString title, text;
    Buttons buttons;
  };
  QVector<Shown> shown;

  Answer show(Icon icon, const QString& title, const QString& text, Buttons buttons) override
  {
    shown.append({icon, title, text, buttons});
    return buttons == Buttons::Ok ? Answer::Ok : answer;
  }
};

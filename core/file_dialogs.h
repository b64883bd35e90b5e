#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One row of a dialog's filter list: what the user reads and what is applied.
struct FileFilter {
  QString description;
  QString patterns; // "*.mkv;*.mp4"
};

// The platform's common file dialogs. Every call is modal and returns an empty
// result when the user cancels.
class FileDialogs {
public:
  virtual ~FileDialogs() = default;

  // Full paths of the chosen files, in the order the dialog lists them.
  virtual QStringList getOpenFileNames(const QString& title, const QVector<FileFilter>& filters,
                                       bool multiple) = 0;
  // `preset` is a file to select, or a folder to open in.
  virtual QString getOpenFileName(const QString& title, const QString& preset,
                                  const QVector<FileFilter>& filters) = 0;
  // Asks before an existing file is replaced; defaultSuffix is added to a name
  // typed without an extension.
  virtual QString getSaveFileName(const QString& title, const QString& preset,
                                  const QVector<FileFilter>& filters,
                                  const QString& defaultSuffix) = 0;
};

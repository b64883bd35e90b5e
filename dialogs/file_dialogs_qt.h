#pragma once

#include "core/file_dialogs.h"

class QWidget;

// Qt's own file dialog. Its filter list shows each description exactly as
// given and applies the pattern list that goes with it, which a plain
// QFileDialog cannot do (it takes the patterns from the visible text).
class FileDialogsQt : public FileDialogs {
public:
  explicit FileDialogsQt(QWidget* parent) : m_parent(parent) {}

  QStringList getOpenFileNames(const QString& title, const QVector<FileFilter>& filters,
                               bool multiple) override;
  QString getOpenFileName(const QString& title, const QString& preset,
                          const QVector<FileFilter>& filters) override;
  QString getSaveFileName(const QString& title, const QString& preset,
                          const QVector<FileFilter>& filters, const QString& defaultSuffix) override;

private:
  QWidget* m_parent;
};

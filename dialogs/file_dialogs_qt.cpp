#include "dialogs/file_dialogs_qt.h"

#include "dialogs/file_patterns.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <memory>

namespace {

// Shows folders always and files that match the selected row's patterns.
class PatternProxy : public QSortFilterProxyModel {
public:
  void setPatterns(const QString& patterns)
  {
    m_patterns = FilePatterns(patterns);
    invalidateFilter();
  }

protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override
  {
    auto* fs = qobject_cast<QFileSystemModel*>(sourceModel());
    const QModelIndex index = sourceModel()->index(row, 0, parent);
    return !fs || fs->isDir(index) || m_patterns.matches(fs->fileName(index));
  }

private:
  FilePatterns m_patterns;
};

// A save dialog swaps the typed name's extension for the first pattern of a
// newly chosen filter row; with rows of many patterns that would turn
// "clip.mkv" into "clip.m3u". Keep the name the user typed or picked.
void keepTypedName(QFileDialog& dialog, const QString& preset)
{
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!edit)
    return;
  auto kept = std::make_shared<QString>(QFileInfo(preset).fileName());
  QObject::connect(edit, &QLineEdit::textEdited, &dialog, [kept](const QString& t) { *kept = t; });
  QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [kept](const QString& path) {
    if (!QFileInfo(path).isDir())
      *kept = QFileInfo(path).fileName();
  });
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [edit, kept] { edit->setText(*kept); });
}

// Runs the dialog with `filters`; the visible texts are the descriptions.
QStringList runDialog(QFileDialog& dialog, const QVector<FileFilter>& filters,
                      const QString& preset = {})
{
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* proxy = new PatternProxy;
  dialog.setProxyModel(proxy);
  QStringList descriptions;
  for (const FileFilter& f : filters)
    descriptions << f.description;
  // The dialog would read patterns out of the descriptions and match nothing;
  // the proxy does the filtering, so the file system model shows everything.
  const auto useRow = [&dialog, proxy, filters](const QString& description) {
    for (const FileFilter& f : filters)
      if (f.description == description)
        proxy->setPatterns(f.patterns);
    if (auto* fs = qobject_cast<QFileSystemModel*>(proxy->sourceModel()))
      fs->setNameFilters({});
  };
  dialog.setNameFilters(descriptions);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useRow);
  if (!filters.isEmpty()) {
    dialog.selectNameFilter(descriptions.front());
    useRow(descriptions.front());
  }
  // A folder given as the preset is where the dialog opens, with no name typed.
  if (QFileInfo(preset).isDir())
    dialog.setDirectory(preset);
  else if (!preset.isEmpty())
    dialog.selectFile(preset);
  if (dialog.acceptMode() == QFileDialog::AcceptSave)
    keepTypedName(dialog, preset);
  if (dialog.exec() != QDialog::Accepted)
    return {};
  return dialog.selectedFiles();
}

} // namespace

QStringList FileDialogsQt::getOpenFileNames(const QString& title, const QVector<FileFilter>& filters,
                                            bool multiple)
{
  QFileDialog dialog(m_parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  return runDialog(dialog, filters);
}

QString FileDialogsQt::getOpenFileName(const QString& title, const QString& preset,
                                       const QVector<FileFilter>& filters)
{
  QFileDialog dialog(m_parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QStringList chosen = runDialog(dialog, filters, preset);
  return chosen.value(0);
}

QString FileDialogsQt::getSaveFileName(const QString& title, const QString& preset,
                                       const QVector<FileFilter>& filters,
                                       const QString& defaultSuffix)
{
  QFileDialog dialog(m_parent, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultSuffix);
  const QStringList chosen = runDialog(dialog, filters, preset);
  return chosen.value(0);
}

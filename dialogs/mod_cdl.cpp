#include "dialogs/mod_cdl.h"

#include "core/program_folder.h"
#include <QDir>
#include <QFileInfo>

namespace ModCdl {

QString FilterText(const QVector<FileFilter>& filters)
{
  QString text;
  for (const FileFilter& f : filters)
    text += f.description + QChar(0) + f.patterns + QChar(0);
  return text + QChar(0);
}

QVector<FileFilter> ParseFilterText(const QString& filter)
{
  const QStringList parts = filter.split(QChar(0));
  QVector<FileFilter> filters;
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2)
    filters.append({parts[i], parts[i + 1]});
  return filters;
}

QString ShowOpenDialog(FileDialogs& dialogs, const QString& title, const QString& filter,
                       int multi, int maxLen)
{
  const QStringList chosen = dialogs.getOpenFileNames(title, ParseFilterText(filter), multi == 1);
  if (chosen.isEmpty())
    return {};
  QString content;
  if (chosen.size() == 1) {
    content = chosen.front() + QChar(0) + QChar(0);
  } else {
    // The dialog lists one folder's files; names stay relative to it.
    const QString folder = QFileInfo(chosen.front()).absolutePath();
    content = folder + QChar(0);
    for (const QString& path : chosen)
      content += QDir(folder).relativeFilePath(path) + QChar(0);
    content += QChar(0);
  }
  const int capacity = maxLen - 1;
  if (content.size() > capacity)
    return {};
  return content + QString(capacity - content.size(), u' ');
}

int SplitSelection(const QString& raw, QStringList& SelectedFiles)
{
  const QStringList pieces = raw.split(QChar(0));
  const qsizetype u = pieces.size() - 1;
  SelectedFiles.clear();
  if (u <= 2) {
    SelectedFiles << pieces[0];
    return 0;
  }
  const int n = int(u - 3);
  for (int i = 0; i <= n; ++i)
    SelectedFiles << joinPath(pieces[0], pieces[i + 1]);
  return n;
}

} // namespace ModCdl

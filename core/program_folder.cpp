#include "core/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString programFolderOf(const QString& executablePath)
{
  const QString folder = QFileInfo(executablePath).absolutePath();
  return folder.isEmpty() ? QStringLiteral("/") : folder;
}

QString joinPath(const QString& folder, const QString& name)
{
  return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QString playlistFolder(const QString& programFolder)
{
  const QString inProgramFolder = joinPath(programFolder, QStringLiteral("playlist"));
  const QFileInfo existing(inProgramFolder);
  if (existing.isDir() ? existing.isWritable() : QFileInfo(programFolder).isWritable())
    return inProgramFolder;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return joinPath(joinPath(data, QStringLiteral("Kelvarino")), QStringLiteral("playlist"));
}

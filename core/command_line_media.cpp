#include "core/command_line_media.h"

#include "core/file_name_bytes.h"
#include <QDir>

QString absoluteFrom(const QString& workingFolder, const QString& path)
{
  if (QDir::isAbsolutePath(path) || workingFolder.isEmpty())
    return path;
  return QDir::cleanPath(workingFolder + u'/' + path);
}

CommandLineMedia commandLineMedia(const QStringList& arguments, const QString& workingFolder)
{
  const QString tail = arguments.join(u' ');
  const auto exists = [&](const QString& path) {
    return namesExistingPath(absoluteFrom(workingFolder, path));
  };
  if (exists(tail))
    return {tail, {}};
  const QString unquoted = QString(tail).remove(u'"');
  if (arguments.size() < 2 || exists(unquoted))
    return {unquoted, {}};
  QStringList files;
  for (const QString& argument : arguments) {
    const QString path = absoluteFrom(workingFolder, argument);
    if (kindOfPath(path) != PathKind::File)
      return {unquoted, {}};
    files << path;
  }
  return {{}, files};
}

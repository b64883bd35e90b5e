#include "app/start_info_posix.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

StartInfo startInfoFromArguments(int argc, char** argv)
{
  QStringList arguments;
  for (int i = 1; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  StartInfo start;
  start.commandTail = arguments.join(u' ');
  start.executablePath = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  if (start.executablePath.isEmpty())
    start.executablePath = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
  start.workingFolder = QDir::currentPath();
  return start;
}

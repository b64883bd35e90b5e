#include "app/start_info_posix.h"

#include "app/tiling_desktop.h"
#include "core/file_name_bytes.h"
#include <QFileInfo>
#include <QStringList>
#include <cstdlib>
#include <unistd.h>

StartInfo startInfoFromArguments(int argc, char** argv)
{
  StartInfo start;
  for (int i = 1; i < argc; ++i)
    start.arguments << decodeFileName(argv[i]);
  start.executablePath = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  if (start.executablePath.isEmpty())
    start.executablePath = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();
  // Relative arguments are taken from here, byte for byte.
  if (char* folder = getcwd(nullptr, 0)) {
    start.workingFolder = decodeFileName(folder);
    std::free(folder);
  }
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  start.activationToken = environment.value(QStringLiteral("XDG_ACTIVATION_TOKEN"));
  start.tilingDesktop = tilingDesktop(environment);
  return start;
}

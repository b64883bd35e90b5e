#include "core/settings_file.h"

#include "core/program_folder.h"
#include <QDir>

QString settingsFilePath()
{
  const QString name = QStringLiteral("Kelvarino.dat");
  const QString windir = qEnvironmentVariable("windir");
  if (!windir.isEmpty())
    return joinPath(windir, name);
  // A relative XDG_CONFIG_HOME is invalid and ignored, as XDG asks.
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(config))
    return joinPath(config, name);
  return joinPath(joinPath(QDir::homePath(), QStringLiteral(".config")), name);
}

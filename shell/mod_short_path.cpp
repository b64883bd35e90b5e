#include "shell/mod_short_path.h"

QString ModShortPath::GetShortPath(const QString& path)
{
  return path;
}

#include "presentation/mod_icon.h"

#include "core/program_folder.h"

namespace ModIcon {

QString AppFolder(const QString& executablePath)
{
  return joinPath(programFolderOf(executablePath), QString());
}

} // namespace ModIcon

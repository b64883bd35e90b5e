#include "dialogs/mod_api_save.h"

#include "core/file_dialogs.h"
#include "core/file_name_bytes.h"
#include "core/media_types.h"
#include "core/message_boxes.h"
#include <QFileInfo>
#include <climits>

namespace ModAPISave {

namespace {

// A path the system can open: its bytes and the terminating NUL fit PATH_MAX.
// Longer ones fail in every call that takes them.
bool fitsPathLimit(const QString& path)
{
  return encodeFileName(path).size() < PATH_MAX;
}

} // namespace

QString ShowFileDialog(FileDialogs& dialogs, MessageBoxes& messages, const QString& mode,
                       const QString& title, const QString& fileName)
{
  QString chosen;
  const bool fits = fitsPathLimit(fileName);
  if (fits) {
    if (mode.toUpper() == QLatin1String("OPEN")) {
      chosen = dialogs.getOpenFileName(title, fileName, MediaTypes::saveFilters());
    } else {
      // A name typed without an extension gets the preset file's own, so a
      // media copy never turns into a program file.
      chosen = dialogs.getSaveFileName(title, fileName, MediaTypes::saveFilters(),
                                       QFileInfo(fileName).suffix());
    }
  }
  if (fits && fitsPathLimit(chosen))
    return chosen;
  messages.show(MessageBoxes::Icon::Error, QString(), QStringLiteral("未知原因导致操作失败！"));
  return {};
}

} // namespace ModAPISave

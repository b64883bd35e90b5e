#include "playback/hardware_decoding.h"

#include <QDir>

namespace {

bool holds(const QDir& folder, const QString& pattern)
{
  return !folder.entryList({pattern}, QDir::System | QDir::Files).isEmpty();
}

} // namespace

HardwareDecoding hardwareDecoding(const QString& deviceFolder)
{
  const QDir devices(deviceFolder);
  if (holds(QDir(devices.filePath(QStringLiteral("dri"))), QStringLiteral("renderD*")) ||
      holds(devices, QStringLiteral("nvidia[0-9]*")))
    return {"auto-safe", "auto"};
  return {"no", "no"};
}

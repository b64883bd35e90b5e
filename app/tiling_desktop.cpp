#include "app/tiling_desktop.h"

#include <QStringList>

bool tilingDesktop(const QProcessEnvironment& environment)
{
  for (const char* socket : {"SWAYSOCK", "I3SOCK", "HYPRLAND_INSTANCE_SIGNATURE"})
    if (!environment.value(QLatin1String(socket)).isEmpty())
      return true;
  static const QStringList tiling{QStringLiteral("sway"), QStringLiteral("i3"),
                                  QStringLiteral("Hyprland"), QStringLiteral("river")};
  const QStringList desktops =
      environment.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(u':', Qt::SkipEmptyParts);
  for (const QString& desktop : desktops)
    if (tiling.contains(desktop, Qt::CaseInsensitive))
      return true;
  return false;
}

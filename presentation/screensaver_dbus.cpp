#include "presentation/screensaver_dbus.h"

#include "presentation/screensaver_x11.h"
#include <QDBusMessage>

ScreenSaverDbus::ScreenSaverDbus(const QDBusConnection& bus) : m_bus(bus) {}

void ScreenSaverDbus::SetThreadExecutionState(unsigned flags)
{
  if (flags & ExecutionFlag::DisplayRequired)
    resetX11ScreenSaver();
  if ((flags & ExecutionFlag::SystemRequired) && m_bus.isConnected()) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("SimulateUserActivity"));
    // A session without a screen saver is not made to start one.
    call.setAutoStartService(false);
    m_bus.send(call);
  }
}

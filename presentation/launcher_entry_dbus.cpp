#include "presentation/launcher_entry_dbus.h"

#include <QDBusMessage>
#include <QVariantMap>
#include <algorithm>

namespace {

const QString AppUri = QStringLiteral("application://kelvarino.desktop");
const QString ObjectPath = QStringLiteral("/com/canonical/unity/launcherentry/kelvarino");
const QString Interface = QStringLiteral("com.canonical.Unity.LauncherEntry");

} // namespace

LauncherEntryDbus::LauncherEntryDbus(const QDBusConnection& bus) : m_bus(bus)
{
  send(Look{});
}

LauncherEntryDbus::~LauncherEntryDbus()
{
  send(Look{});
  // A signal is only queued; make sure it has left before the process ends.
  m_bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                            QStringLiteral("/org/freedesktop/DBus"),
                                            QStringLiteral("org.freedesktop.DBus.Peer"),
                                            QStringLiteral("Ping")),
             QDBus::Block, 1000);
}

void LauncherEntryDbus::SetProgressValue(quint64 completed, quint64 total)
{
  m_fraction = total == 0 ? 0 : std::min(1.0, double(completed) / double(total));
  if (m_state == ProgressState::NoProgress || m_state == ProgressState::Indeterminate)
    m_state = ProgressState::Normal;
  send(look());
}

void LauncherEntryDbus::SetProgressState(int flags)
{
  const Look before = look();
  m_state = flags;
  if (look() != before)
    send(look());
}

LauncherEntryDbus::Look LauncherEntryDbus::look() const
{
  switch (m_state) {
  case ProgressState::NoProgress: return Look{};
  case ProgressState::Indeterminate: return Look{true, 0};
  default: return Look{true, m_fraction};
  }
}

void LauncherEntryDbus::send(const Look& look)
{
  QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, Interface, QStringLiteral("Update"));
  signal << AppUri
         << QVariantMap{{QStringLiteral("progress"), look.progress},
                        {QStringLiteral("progress-visible"), look.visible}};
  m_bus.send(signal);
}

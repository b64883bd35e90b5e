#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>
#include <functional>

// org.freedesktop.DBus.Properties of the player's object, in place of
// QtDBus's own, which writes whatever value a client sends and cannot refuse
// one with an error. Get, GetAll and Set reach the properties of the object's
// other adaptors; Set refuses with InvalidArgs a value of another type than
// the property's, or one that `accepts` turns down, and then writes nothing.
class MprisPropertiesAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.Properties")
  Q_CLASSINFO("D-Bus Introspection", "") // QtDBus describes this interface itself
public:
  using Accepts =
      std::function<bool(const QString& interface, const QString& name, const QVariant& value)>;

  MprisPropertiesAdaptor(QObject* object, const QDBusConnection& bus, Accepts accepts);

public slots:
  QDBusVariant Get(const QString& interface, const QString& name, const QDBusMessage& message);
  QVariantMap GetAll(const QString& interface, const QDBusMessage& message);
  void Set(const QString& interface, const QString& name, const QDBusVariant& value,
           const QDBusMessage& message);

private:
  // The adaptor of `interface` that has the property `name`; with no
  // interface, the first that has it. Null, with the error sent, otherwise.
  QObject* holder(const QString& interface, const QString& name, const QDBusMessage& message);
  void refuse(const QDBusMessage& message, QDBusError::ErrorType type, const QString& text);

  QDBusConnection m_bus;
  Accepts m_accepts;
};

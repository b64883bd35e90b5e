#include "playback/mpris_properties_dbus.h"

#include <QMetaProperty>

namespace {

QString interfaceOf(const QObject* adaptor)
{
  const QMetaObject* meta = adaptor->metaObject();
  const int index = meta->indexOfClassInfo("D-Bus Interface");
  return index < 0 ? QString() : QString::fromLatin1(meta->classInfo(index).value());
}

int propertyIndex(const QObject* adaptor, const QString& name)
{
  // QObject's own properties ("objectName") are none of the bus's.
  const int index = adaptor->metaObject()->indexOfProperty(name.toUtf8().constData());
  return index < QObject::staticMetaObject.propertyCount() ? -1 : index;
}

// D-Bus values carry their type: a whole number may stand for a double, but
// no text stands for a number or a truth value.
bool fits(const QVariant& value, QMetaType type)
{
  if (value.metaType() == type)
    return true;
  static const QList<int> wholeNumbers{QMetaType::UChar, QMetaType::Short, QMetaType::UShort,
                                       QMetaType::Int, QMetaType::UInt, QMetaType::LongLong,
                                       QMetaType::ULongLong};
  return type.id() == QMetaType::Double && wholeNumbers.contains(value.typeId());
}

} // namespace

MprisPropertiesAdaptor::MprisPropertiesAdaptor(QObject* object, const QDBusConnection& bus,
                                               Accepts accepts)
    : QDBusAbstractAdaptor(object), m_bus(bus), m_accepts(std::move(accepts))
{
}

QObject* MprisPropertiesAdaptor::holder(const QString& interface, const QString& name,
                                        const QDBusMessage& message)
{
  bool interfaceFound = interface.isEmpty();
  for (QObject* child : parent()->children()) {
    auto* adaptor = qobject_cast<QDBusAbstractAdaptor*>(child);
    if (!adaptor || adaptor == this || (!interface.isEmpty() && interfaceOf(adaptor) != interface))
      continue;
    interfaceFound = true;
    if (propertyIndex(adaptor, name) >= 0)
      return adaptor;
  }
  if (interfaceFound)
    refuse(message, QDBusError::UnknownProperty, QStringLiteral("No property ") + name);
  else
    refuse(message, QDBusError::UnknownInterface, QStringLiteral("No interface ") + interface);
  return nullptr;
}

void MprisPropertiesAdaptor::refuse(const QDBusMessage& message, QDBusError::ErrorType type,
                                    const QString& text)
{
  message.setDelayedReply(true);
  m_bus.send(message.createErrorReply(type, text));
}

QDBusVariant MprisPropertiesAdaptor::Get(const QString& interface, const QString& name,
                                         const QDBusMessage& message)
{
  QObject* adaptor = holder(interface, name, message);
  if (!adaptor)
    return {};
  return QDBusVariant(adaptor->metaObject()->property(propertyIndex(adaptor, name)).read(adaptor));
}

QVariantMap MprisPropertiesAdaptor::GetAll(const QString& interface, const QDBusMessage& message)
{
  QVariantMap all;
  bool found = interface.isEmpty();
  for (QObject* child : parent()->children()) {
    auto* adaptor = qobject_cast<QDBusAbstractAdaptor*>(child);
    if (!adaptor || adaptor == this || (!interface.isEmpty() && interfaceOf(adaptor) != interface))
      continue;
    found = true;
    const QMetaObject* meta = adaptor->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
      all.insert(QString::fromLatin1(meta->property(i).name()), meta->property(i).read(adaptor));
  }
  if (!found)
    refuse(message, QDBusError::UnknownInterface, QStringLiteral("No interface ") + interface);
  return all;
}

void MprisPropertiesAdaptor::Set(const QString& interface, const QString& name,
                                 const QDBusVariant& value, const QDBusMessage& message)
{
  QObject* adaptor = holder(interface, name, message);
  if (!adaptor)
    return;
  const QMetaProperty property = adaptor->metaObject()->property(propertyIndex(adaptor, name));
  if (!property.isWritable())
    return refuse(message, QDBusError::PropertyReadOnly, name + QStringLiteral(" is read-only"));
  if (!fits(value.variant(), property.metaType())
      || !m_accepts(interfaceOf(adaptor), name, value.variant()))
    return refuse(message, QDBusError::InvalidArgs, QStringLiteral("No value for ") + name);
  property.write(adaptor, value.variant());
}

#include "shell/mod_reg_name.h"

#include "core/media_types.h"

#include "core/class_store.h"

namespace ModRegName {

namespace {
const QString ProgId = QStringLiteral("Kelvarino");
} // namespace

QString OpenCommand(const QString& executablePath)
{
  return u'"' + executablePath + QStringLiteral("\" \"%1\"");
}

QString IconReference(const QString& executablePath)
{
  return executablePath + QStringLiteral(",0");
}


QString ExtensionList()
{
  return MediaTypes::associatedExtensions().join(u';');
}

void RegisterProgId(ClassStore& store, const QString& executablePath)
{
  store.setDefault(QStringLiteral(".kq"), ProgId);
  store.setDefault(QStringLiteral("Kelvarino\\DefaultIcon"), IconReference(executablePath));
  store.setDefault(QStringLiteral("Kelvarino\\Shell"), QStringLiteral("open"));
  store.setDefault(QStringLiteral("Kelvarino\\Shell\\open"), QStringLiteral("使用Kelvarino播放"));
  store.setDefault(QStringLiteral("Kelvarino\\Shell\\open\\Command"), OpenCommand(executablePath));
  store.flush();
}

void AssociateExtensions(ClassStore& store)
{
  for (const QString& extension : MediaTypes::associatedExtensions())
    store.setDefault(extension, ProgId);
  store.flush();
}

} // namespace ModRegName

#include "shell/class_store_xdg.h"

#include "core/atomic_file.h"
#include "core/media_types.h"
#include "core/regular_file.h"
#include "shell/desktop_entry_xdg.h"
#include "shell/mime_apps_xdg.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString ProgId = QStringLiteral("Kelvarino");
const QString DesktopId = QStringLiteral("kelvarino.desktop");
const QString OwnType = QStringLiteral("application/x-kelvarino");
const QString OwnExtension = QStringLiteral(".kq");

bool isKey(const QString& keyPath, const char* key)
{
  return keyPath.compare(QLatin1String(key), Qt::CaseInsensitive) == 0;
}

QStringList mimeTypesOf(const QString& extension)
{
  if (extension.compare(OwnExtension, Qt::CaseInsensitive) == 0)
    return {OwnType};
  return MediaTypes::mimeTypesOf(extension);
}

// Empty when unreadable. The program's own resources are Qt's; a file of the
// system is read only when it is a regular one, as a pipe would hold the thread.
QByteArray contentOf(const QString& path)
{
  if (path.startsWith(u':')) {
    QFile resource(path);
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
  }
  return readRegularFile(path).bytes;
}

// Writes only what changed; false when nothing had to be written.
bool update(const QString& path, const QByteArray& content)
{
  if (QFile::exists(path) && contentOf(path) == content)
    return false;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QString error;
  if (!writeFileAtomically(path, content, &error))
    qWarning("kelvarino: %s", qPrintable(error));
  return true;
}

// The caches rebuild in the background: the window does not wait for them
// (about 140 ms at a first start).
void runIfInstalled(const QString& tool, const QString& folder)
{
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty())
    return;
  QProcess process;
  process.setProgram(program);
  process.setArguments({folder});
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.startDetached();
}

// The same package as the one installed system-wide (resources/mime).
QByteArray mimePackage()
{
  return contentOf(QStringLiteral(":/kelvarino/mime/kelvarino.xml"));
}

// What every entry of the program declares besides the values the store sets.
const QByteArray NewEntry = "[Desktop Entry]\nType=Application\nName=Kelvarino\nTerminal=false\n"
                            "Categories=AudioVideo;Audio;Video;Player;\n";

QString valueIn(const QList<std::pair<QString, QString>>& group, const char* key)
{
  for (const auto& [name, value] : group) {
    if (name == QLatin1String(key))
      return value;
  }
  return {};
}

QStringList mimeTypesIn(const QByteArray& entry)
{
  return valueIn(DesktopEntry::readGroup(entry), "MimeType").split(u';', Qt::SkipEmptyParts);
}

// ${XDG_DATA_DIRS:-/usr/local/share:/usr/share}, relative entries ignored.
QStringList systemDataDirs()
{
  QStringList dirs;
  for (const QString& dir : qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts)) {
    if (QDir::isAbsolutePath(dir))
      dirs << dir;
  }
  return dirs.isEmpty() ? QStringList{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")} : dirs;
}

} // namespace

XdgFolders XdgFolders::ofUser()
{
  XdgFolders folders;
  folders.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  folders.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  folders.dataDirs = systemDataDirs();
  return folders;
}

ClassStoreXdg::ClassStoreXdg(XdgFolders folders) : m_folders(std::move(folders)) {}

QString ClassStoreXdg::desktopEntryPath() const
{
  return m_folders.dataHome + QStringLiteral("/applications/") + DesktopId;
}

QString ClassStoreXdg::entryInForce() const
{
  if (QFileInfo::exists(desktopEntryPath()))
    return desktopEntryPath();
  for (const QString& dir : m_folders.dataDirs) {
    const QString installed = dir + QStringLiteral("/applications/") + DesktopId;
    if (QFileInfo::exists(installed))
      return installed;
  }
  return {};
}

QString ClassStoreXdg::mimePackagePath() const
{
  return m_folders.dataHome + QStringLiteral("/mime/packages/kelvarino.xml");
}

QString ClassStoreXdg::mimeAppsPath() const
{
  return m_folders.configHome + QStringLiteral("/mimeapps.list");
}

bool ClassStoreXdg::readDefault(const QString& keyPath, QString* value)
{
  if (!isKey(keyPath, "Kelvarino\\Shell\\open\\Command"))
    return false;
  const QString inForce = entryInForce();
  const QString exec = inForce.isEmpty() ? QString() : valueIn(DesktopEntry::readGroup(contentOf(inForce)), "Exec");
  if (exec.isEmpty())
    return false;
  *value = DesktopEntry::openCommandFromExec(exec);
  return true;
}

void ClassStoreXdg::setDefault(const QString& keyPath, const QString& value)
{
  m_pending.append({keyPath, value});
}

void ClassStoreXdg::flush()
{
  if (m_pending.isEmpty())
    return;
  // The user's entry is the entry in force edited: a copy of an installed
  // entry keeps all it declares, or it would hide the installed types,
  // actions and translations from "open with".
  const QString inForce = entryInForce();
  QByteArray base = inForce.isEmpty() ? QByteArray() : contentOf(inForce);
  if (DesktopEntry::readGroup(base).isEmpty())
    base = NewEntry;
  const auto group = DesktopEntry::readGroup(base);
  QStringList mimeTypes = mimeTypesIn(base);
  QList<std::pair<QString, QString>> changes;
  const auto set = [&](const char* key, const QString& value) {
    if (valueIn(group, key) != value)
      changes.append({QLatin1String(key), value});
  };
  QStringList defaults;
  bool ownType = false, icon = false;
  for (const auto& [key, value] : std::as_const(m_pending)) {
    if (key.startsWith(u'.') && value == ProgId) {
      ownType = ownType || key.compare(OwnExtension, Qt::CaseInsensitive) == 0;
      for (const QString& type : mimeTypesOf(key)) {
        if (!mimeTypes.contains(type))
          mimeTypes << type;
        if (!defaults.contains(type))
          defaults << type;
      }
    } else if (isKey(key, "Kelvarino\\DefaultIcon")) {
      set("Icon", QStringLiteral("kelvarino"));
      icon = true;
    } else if (isKey(key, "Kelvarino\\Shell\\open")) {
      set("Comment", value);
    } else if (isKey(key, "Kelvarino\\Shell\\open\\Command")) {
      set("Exec", DesktopEntry::execFromOpenCommand(value));
    }
  }
  m_pending.clear();
  if (mimeTypes != mimeTypesIn(base))
    changes.append({QStringLiteral("MimeType"), mimeTypes.join(u';') + u';'});

  if (ownType && update(mimePackagePath(), mimePackage()))
    runIfInstalled(QStringLiteral("update-mime-database"), m_folders.dataHome + QStringLiteral("/mime"));
  if (icon)
    installIcons();
  // Nothing to change leaves an installed entry in force, unshadowed.
  const QStringList typesBefore = mimeTypesIn(contentOf(desktopEntryPath()));
  if (!changes.isEmpty() && update(desktopEntryPath(), DesktopEntry::withValues(base, changes))
      && mimeTypes != typesBefore)
    runIfInstalled(QStringLiteral("update-desktop-database"),
                   m_folders.dataHome + QStringLiteral("/applications"));
  if (!defaults.isEmpty())
    update(mimeAppsPath(), withDefaultApplication(contentOf(mimeAppsPath()), defaults, DesktopId));
}

void ClassStoreXdg::installIcons()
{
  const QString theme = m_folders.dataHome + QStringLiteral("/icons/hicolor/");
  const QDir sizes(m_folders.iconSource + QStringLiteral("/hicolor"));
  for (const QString& size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString png = sizes.filePath(size + QStringLiteral("/apps/kelvarino.png"));
    if (QFile::exists(png))
      update(theme + size + QStringLiteral("/apps/kelvarino.png"), contentOf(png));
  }
  const QString svg = m_folders.iconSource + QStringLiteral("/kelvarino.svg");
  if (QFile::exists(svg))
    update(theme + QStringLiteral("scalable/apps/kelvarino.svg"), contentOf(svg));
}

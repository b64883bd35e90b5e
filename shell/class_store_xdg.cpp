#include "shell/class_store_xdg.h"

#include "app/atomic_file.h"
#include "shell/desktop_entry_xdg.h"
#include "shell/mime_apps_xdg.h"
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
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
  QStringList names;
  for (const QMimeType& type : QMimeDatabase().mimeTypesForFileName(u'x' + extension))
    names << type.name();
  return names;
}

QByteArray contentOf(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

struct Entry {
  QString comment, exec, icon;
  QStringList mimeTypes;
};

Entry readEntry(const QString& path)
{
  Entry entry;
  for (const auto& [key, value] : DesktopEntry::readGroup(contentOf(path))) {
    if (key == QLatin1String("Comment"))
      entry.comment = value;
    else if (key == QLatin1String("Exec"))
      entry.exec = value;
    else if (key == QLatin1String("Icon"))
      entry.icon = value;
    else if (key == QLatin1String("MimeType"))
      entry.mimeTypes = value.split(u';', Qt::SkipEmptyParts);
  }
  return entry;
}

QByteArray entryBytes(const Entry& entry)
{
  QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Kelvarino\n");
  const auto line = [&text](const char* key, const QString& value) {
    if (!value.isEmpty())
      text += QLatin1String(key) + u'=' + DesktopEntry::escapeValue(value) + u'\n';
  };
  line("Comment", entry.comment);
  line("Exec", entry.exec);
  line("Icon", entry.icon);
  text += QStringLiteral("Terminal=false\nCategories=AudioVideo;Audio;Video;Player;\n");
  if (!entry.mimeTypes.isEmpty())
    line("MimeType", entry.mimeTypes.join(u';') + u';');
  return text.toUtf8();
}

} // namespace

XdgFolders XdgFolders::ofUser()
{
  XdgFolders folders;
  folders.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  folders.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return folders;
}

ClassStoreXdg::ClassStoreXdg(XdgFolders folders) : m_folders(std::move(folders)) {}

QString ClassStoreXdg::desktopEntryPath() const
{
  return m_folders.dataHome + QStringLiteral("/applications/") + DesktopId;
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
  const QString exec = readEntry(desktopEntryPath()).exec;
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
  const Entry before = readEntry(desktopEntryPath());
  Entry entry = before;
  QStringList defaults;
  bool ownType = false, icon = false;
  for (const auto& [key, value] : std::as_const(m_pending)) {
    if (key.startsWith(u'.') && value == ProgId) {
      ownType = ownType || key.compare(OwnExtension, Qt::CaseInsensitive) == 0;
      for (const QString& type : mimeTypesOf(key)) {
        if (!entry.mimeTypes.contains(type))
          entry.mimeTypes << type;
        if (!defaults.contains(type))
          defaults << type;
      }
    } else if (isKey(key, "Kelvarino\\DefaultIcon")) {
      entry.icon = QStringLiteral("kelvarino");
      icon = true;
    } else if (isKey(key, "Kelvarino\\Shell\\open")) {
      entry.comment = value;
    } else if (isKey(key, "Kelvarino\\Shell\\open\\Command")) {
      entry.exec = DesktopEntry::execFromOpenCommand(value);
    }
  }
  m_pending.clear();

  if (ownType && update(mimePackagePath(), mimePackage()))
    runIfInstalled(QStringLiteral("update-mime-database"), m_folders.dataHome + QStringLiteral("/mime"));
  if (icon)
    installIcons();
  if (update(desktopEntryPath(), entryBytes(entry)) && entry.mimeTypes != before.mimeTypes)
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

#include "core/runtime_folder.h"

#include "core/file_name_bytes.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>

namespace {

// The name with its links resolved, or nothing when it cannot be resolved.
QString resolved(const QString& path)
{
  const std::unique_ptr<char, decltype(&std::free)> real(
      ::realpath(encodeFileName(path).constData(), nullptr), &std::free);
  return real ? decodeFileName(real.get()) : QString();
}

// A file that is not there yet is named by its resolved folder.
QString canonicalPath(const QString& file)
{
  const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(file));
  if (const QString real = resolved(absolute); !real.isEmpty())
    return real;
  const QFileInfo info(absolute);
  const QString folder = resolved(info.absolutePath());
  return folder.isEmpty() ? absolute : QDir(folder).filePath(info.fileName());
}

} // namespace

QString privateRuntimeFolder()
{
  // Qt warns on every call where XDG_RUNTIME_DIR is not set; ask once per value.
  static std::mutex mutex;
  static std::optional<QByteArray> askedFor;
  static QString folder;
  const std::lock_guard lock(mutex);
  const QByteArray variable = qgetenv("XDG_RUNTIME_DIR");
  if (askedFor != variable) {
    folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    askedFor = variable;
  }
  return folder;
}

QString lockPathFor(const QString& file)
{
  const QString runtime = privateRuntimeFolder();
  if (runtime.isEmpty())
    return file + QStringLiteral(".lock");
  const QString canonical = canonicalPath(file);
  const QByteArray digest =
      QCryptographicHash::hash(encodeFileName(canonical), QCryptographicHash::Sha256).toHex();
  // The file's own name only helps a person tell the locks apart.
  const QString name = QFileInfo(canonical).fileName().left(64);
  return runtime
         + QStringLiteral("/Kelvarino-%1-%2.lock").arg(name, QString::fromLatin1(digest.left(16)));
}

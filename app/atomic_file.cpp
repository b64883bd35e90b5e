#include "app/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& path, const QString& reason)
{
  if (error)
    *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
  return false;
}

// Makes the rename itself survive a crash; the new file is already in place,
// so a folder that cannot be synced is no reason to report a failure.
void syncFolder(const QString& folder)
{
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error)
{
  return writeFileAtomically(
      path, [&content](QIODevice& out, QString*) { return out.write(content) == content.size(); },
      error);
}

bool writeFileAtomically(const QString& path, const ContentWriter& produce, QString* error)
{
  // QSaveFile writes into an unnamed temporary file in the target's folder and
  // links it over the target on commit; until then the old file is untouched,
  // and a save file that is not committed leaves nothing behind.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return fail(error, path, file.errorString());
  QString reason;
  if (!produce(file, &reason))
    return fail(error, path, reason.isEmpty() ? file.errorString() : reason);
  if (!file.flush())
    return fail(error, path, file.errorString());
  // Qt 6.4 syncs the data before the rename too, but ignores a failed sync and
  // renames anyway; a failed sync here keeps the old file instead.
  int synced;
  do
    synced = ::fsync(file.handle());
  while (synced != 0 && errno == EINTR);
  if (synced != 0)
    return fail(error, path, QString::fromLocal8Bit(std::strerror(errno)));
  if (!file.commit())
    return fail(error, path, file.errorString());
  syncFolder(QFileInfo(path).absolutePath());
  return true;
}

#include "app/atomic_file.h"

#include "app/system_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& path, const QString& reason)
{
  if (error)
    *error = QStringLiteral("无法写入“%1”：%2").arg(path, reason);
  return false;
}

// Qt's error strings are English; the errno the failed call left behind
// says the same in words of our own. Not every failure leaves one (a failed
// commit clears it): then the step that failed is named.
bool fail(QString* error, const QString& path, int errorNumber, const QString& step)
{
  return fail(error, path, errorNumber ? systemErrorText(errorNumber) : step);
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
  // QSaveFile refuses a folder without an errno to tell why.
  if (QFileInfo(path).isDir())
    return fail(error, path, EISDIR, {});
  QSaveFile file(path);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly))
    return fail(error, path, errno, QStringLiteral("无法创建文件"));
  QString reason;
  errno = 0;
  if (!produce(file, &reason))
    return reason.isEmpty() ? fail(error, path, errno, QStringLiteral("写入失败"))
                            : fail(error, path, reason);
  errno = 0;
  if (!file.flush())
    return fail(error, path, errno, QStringLiteral("写入失败"));
  // Qt 6.4 syncs the data before the rename too, but ignores a failed sync and
  // renames anyway; a failed sync here keeps the old file instead.
  int synced;
  do
    synced = ::fsync(file.handle());
  while (synced != 0 && errno == EINTR);
  if (synced != 0)
    return fail(error, path, errno, QStringLiteral("无法写入磁盘"));
  errno = 0;
  if (!file.commit())
    return fail(error, path, errno, QStringLiteral("无法用新文件替换原有的文件"));
  syncFolder(QFileInfo(path).absolutePath());
  return true;
}

#include "playback/file_copy.h"

#include "core/atomic_file.h"
#include "core/system_error.h"
#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr qint64 ChunkSize = 1 << 20;

bool fail(QString* error, const QString& reason)
{
  if (error)
    *error = reason;
  return false;
}

bool isPlainFile(const QString& path, struct stat* info)
{
  return ::stat(QFile::encodeName(path).constData(), info) == 0 && S_ISREG(info->st_mode);
}

// Streams what is left of `in` into `out`.
bool copyRest(QFile& in, QIODevice& out, QString* reason)
{
  QByteArray chunk(ChunkSize, Qt::Uninitialized);
  for (;;) {
    errno = 0;
    const qint64 got = in.read(chunk.data(), chunk.size());
    if (got == 0)
      return true;
    if (got < 0) {
      *reason = QStringLiteral("无法读取“%1”：%2").arg(in.fileName(), systemErrorText(errno));
      return false;
    }
    errno = 0;
    if (out.write(chunk.constData(), got) != got)
      return false; // the device's own error says why
  }
}

} // namespace

bool copyFileAtomically(const QString& source, const QString& destination, QString* error)
{
  // Only plain files: opening a pipe would wait for a writer, and a device
  // might never end. The open file is measured again, so the answer holds for
  // what is copied even if the path changed in between.
  struct stat from {};
  if (!isPlainFile(source, &from))
    return fail(error, QStringLiteral("“%1”不是普通文件").arg(source));
  QFile in(source);
  errno = 0;
  if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
    return fail(error, QStringLiteral("无法打开“%1”：%2").arg(source, systemErrorText(errno)));
  if (::fstat(in.handle(), &from) != 0 || !S_ISREG(from.st_mode))
    return fail(error, QStringLiteral("“%1”不是普通文件").arg(source));
  // The same device and inode is the same file, however the path is spelt;
  // writing it "over itself" would truncate the source.
  struct stat to {};
  if (::stat(QFile::encodeName(destination).constData(), &to) == 0 && to.st_dev == from.st_dev &&
      to.st_ino == from.st_ino)
    return fail(error, QStringLiteral("“%1”就是源文件本身").arg(destination));
  return writeFileAtomically(
      destination, [&in](QIODevice& out, QString* reason) { return copyRest(in, out, reason); },
      error);
}

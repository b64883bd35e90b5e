#include "playback/file_copy.h"

#include "app/atomic_file.h"
#include <QFile>
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
    const qint64 got = in.read(chunk.data(), chunk.size());
    if (got == 0)
      return true;
    if (got < 0) {
      *reason = QStringLiteral("Cannot read \"%1\": %2").arg(in.fileName(), in.errorString());
      return false;
    }
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
    return fail(error, QStringLiteral("\"%1\" is not a plain file").arg(source));
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
    return fail(error, QStringLiteral("Cannot open \"%1\": %2").arg(source, in.errorString()));
  if (::fstat(in.handle(), &from) != 0 || !S_ISREG(from.st_mode))
    return fail(error, QStringLiteral("\"%1\" is not a plain file").arg(source));
  // The same device and inode is the same file, however the path is spelt;
  // writing it "over itself" would truncate the source.
  struct stat to {};
  if (::stat(QFile::encodeName(destination).constData(), &to) == 0 && to.st_dev == from.st_dev &&
      to.st_ino == from.st_ino)
    return fail(error, QStringLiteral("\"%1\" is the source file itself").arg(destination));
  return writeFileAtomically(
      destination, [&in](QIODevice& out, QString* reason) { return copyRest(in, out, reason); },
      error);
}

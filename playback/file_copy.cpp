#include "playback/file_copy.h"

#include "core/atomic_file.h"
#include "core/file_name_bytes.h"
#include "core/regular_file.h"
#include "core/system_error.h"
#include <QFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 ChunkSize = 1 << 20;

bool fail(QString* error, const QString& reason)
{
  if (error)
    *error = reason;
  return false;
}

// Streams what is left of `in`, the file `source`, into `out`.
bool copyRest(QFile& in, const QString& source, QIODevice& out, QString* reason)
{
  QByteArray chunk(ChunkSize, Qt::Uninitialized);
  for (;;) {
    errno = 0;
    const qint64 got = in.read(chunk.data(), chunk.size());
    if (got == 0)
      return true;
    if (got < 0) {
      *reason = QStringLiteral("无法读取“%1”：%2").arg(source, systemErrorText(errno));
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
  // might never end. The test is made on the open file, so it holds for what
  // is copied even if the path changes meanwhile.
  FileRead refusal;
  const int fd = openRegularFile(source, &refusal);
  if (fd < 0) {
    if (refusal.status == FileRead::Status::NotAFile)
      return fail(error, QStringLiteral("“%1”不是普通文件").arg(source));
    return fail(error, QStringLiteral("无法打开“%1”：%2").arg(source, refusal.reason()));
  }
  QFile in;
  struct stat from {};
  if (::fstat(fd, &from) != 0
      || !in.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
    const int reason = errno;
    ::close(fd);
    return fail(error, QStringLiteral("无法打开“%1”：%2").arg(source, systemErrorText(reason)));
  }
  // The same device and inode is the same file, however the path is spelt:
  // it holds the bytes already, and writing it "over itself" would truncate it.
  struct stat to {};
  if (::stat(encodeFileName(destination).constData(), &to) == 0 && to.st_dev == from.st_dev &&
      to.st_ino == from.st_ino)
    return true;
  return writeFileAtomically(
      destination,
      [&in, &source](QIODevice& out, QString* reason) { return copyRest(in, source, out, reason); },
      error);
}

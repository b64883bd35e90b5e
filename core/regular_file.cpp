#include "core/regular_file.h"

#include "core/file_name_bytes.h"
#include "core/system_error.h"
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

int refuse(FileRead* refusal, FileRead::Status status, int error = 0)
{
  refusal->status = status;
  refusal->error = error;
  return -1;
}

} // namespace

QString FileRead::reason() const
{
  switch (status) {
  case Status::Read: return {};
  case Status::Missing: return systemErrorText(ENOENT);
  case Status::NotAFile: return QStringLiteral("不是普通文件");
  case Status::TooLarge: return QStringLiteral("文件太大");
  case Status::Failed: break;
  }
  return systemErrorText(error);
}

int openRegularFile(const QString& path, FileRead* refusal, bool create)
{
  const QByteArray name = encodeFileName(path);
  // No name holds a NUL: the system would open a shorter, other name.
  if (name.isEmpty() || name.contains('\0'))
    return refuse(refusal, FileRead::Status::Missing);
  // O_NONBLOCK keeps the open of a pipe from waiting for a writer; O_NOCTTY
  // keeps a terminal from becoming the program's own.
  const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (create ? O_CREAT : 0);
  int fd;
  do
    fd = ::open(name.constData(), flags, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int error = errno;
    const bool missing = error == ENOENT || error == ENOTDIR;
    return refuse(refusal, missing ? FileRead::Status::Missing : FileRead::Status::Failed, error);
  }
  struct stat info {};
  const bool measured = ::fstat(fd, &info) == 0;
  const int error = errno;
  if (!measured || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return refuse(refusal, measured ? FileRead::Status::NotAFile : FileRead::Status::Failed, error);
  }
  // A regular file never blocks; the flag goes so that reads behave as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

FileRead readRegularFile(const QString& path, qint64 maxBytes)
{
  FileRead result;
  const int fd = openRegularFile(path, &result);
  if (fd < 0)
    return result;
  result.status = FileRead::Status::Read;
  // Read to the end rather than to the size measured: the file may grow.
  QByteArray bytes;
  for (;;) {
    const qsizetype at = bytes.size();
    bytes.resize(at + ChunkSize);
    const ssize_t got = ::read(fd, bytes.data() + at, size_t(ChunkSize));
    bytes.resize(at + qMax<ssize_t>(got, 0));
    if (got == 0)
      break;
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      result.status = FileRead::Status::Failed;
      result.error = errno;
      break;
    }
    if (maxBytes >= 0 && bytes.size() > maxBytes) {
      result.status = FileRead::Status::TooLarge;
      break;
    }
  }
  ::close(fd);
  if (result.status == FileRead::Status::Read)
    result.bytes = std::move(bytes);
  return result;
}

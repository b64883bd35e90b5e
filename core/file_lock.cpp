#include "core/file_lock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

FileLock::FileLock(const QString& lockFilePath, std::chrono::milliseconds timeout)
{
  // Read access is enough for flock, so a lock file made by another user of a
  // shared folder still works.
  const int fd = ::open(QFile::encodeName(lockFilePath).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0)
    return;
  // Polling instead of a blocking flock: a stopped holder must not freeze the
  // caller's window for good.
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  m_fd = fd;
}

FileLock::~FileLock()
{
  if (m_fd >= 0)
    ::close(m_fd);
}

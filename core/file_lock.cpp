#include "core/file_lock.h"

#include "core/regular_file.h"
#include <cerrno>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

FileLock::FileLock(const QString& lockFilePath, std::chrono::milliseconds timeout)
{
  // Read access is enough for flock, so a lock file made by another user of a
  // shared folder still works. A pipe in its place would hold the open.
  FileRead refusal;
  const int fd = openRegularFile(lockFilePath, &refusal, true);
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

#pragma once

#include <QString>
#include <chrono>

// An advisory lock on a lock file, held for the life of the object and shared
// by every process that takes the same lock file. The kernel drops the lock
// when its holder dies, so a crash never leaves the file locked. The lock file
// stays in place: removing it would let a newcomer lock a fresh file while an
// older holder still locks the removed one.
class FileLock {
public:
  // Waits at most `timeout` for another holder to let go.
  FileLock(const QString& lockFilePath, std::chrono::milliseconds timeout);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool isLocked() const { return m_fd >= 0; }

private:
  int m_fd = -1;
};

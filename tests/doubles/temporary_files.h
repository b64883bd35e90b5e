#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <optional>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Helpers for tests on real files in a QTemporaryDir.

// Sets an environment variable for the life of the object (nothing = unset).
class ScopedEnv {
public:
  ScopedEnv(const char* name, std::optional<QByteArray> value) : m_name(name)
  {
    if (qEnvironmentVariableIsSet(name))
      m_old = qgetenv(name);
    if (value)
      qputenv(name, *value);
    else
      qunsetenv(name);
  }
  ~ScopedEnv()
  {
    if (m_old)
      qputenv(m_name, *m_old);
    else
      qunsetenv(m_name);
  }

private:
  const char* m_name;
  std::optional<QByteArray> m_old;
};

inline QByteArray contentOf(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool putContent(const QString& path, const QByteArray& content)
{
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QStringList entriesOf(const QString& folder)
{
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

constexpr QFileDevice::Permissions readOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions writableFolder = readOnlyFolder | QFileDevice::WriteOwner;

// Makes `folder` read-only; false when the folder still takes new files (root
// writes into folders without write permission, so such a run cannot show the
// refusal).
inline bool makeReadOnly(const QString& folder)
{
  QFile::setPermissions(folder, readOnlyFolder);
  QFile probe(folder + QStringLiteral("/probe"));
  if (!probe.open(QIODevice::WriteOnly))
    return true;
  probe.remove();
  QFile::setPermissions(folder, writableFolder);
  return false;
}

// Makes `folder` refuse new files and renames for as long as it lives: by
// permissions, and where they do not bind (root) by the file system's
// immutable attribute. refuses() tells whether either worked.
class UnwritableFolder {
public:
  explicit UnwritableFolder(const QString& folder) : m_folder(folder)
  {
    m_refuses = makeReadOnly(folder) || setImmutable(true);
  }
  ~UnwritableFolder()
  {
    if (m_immutable)
      setImmutable(false);
    QFile::setPermissions(m_folder, writableFolder);
  }
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;
  bool refuses() const { return m_refuses; }

private:
  bool setImmutable(bool on)
  {
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
      return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    m_immutable = ok && on;
    return ok;
  }

  QString m_folder;
  bool m_refuses = false;
  bool m_immutable = false;
};

// A named pipe that nobody writes to. An open that waited for a writer would
// wait for ever: while the pipe lives, a hang ends the test program (SIGALRM).
struct PipeWithoutWriter {
  explicit PipeWithoutWriter(const QString& path)
      : made(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0)
  {
    ::alarm(60);
  }
  ~PipeWithoutWriter() { ::alarm(0); }
  const bool made;
};

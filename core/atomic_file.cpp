#include "core/atomic_file.h"

#include "core/file_name_bytes.h"
#include "core/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary is ".<name>.<8 letters or digits>.partial" beside its target.
// Its writer holds an flock on it from creation to rename; the kernel drops
// that lock when the writer dies, so an unlocked temporary is debris.
const QLatin1String TemporarySuffix(".partial");
constexpr qsizetype RandomLength = 8;
const QLatin1String RandomAlphabet("abcdefghijklmnopqrstuvwxyz0123456789");

QString temporaryPrefix(const QString& name)
{
  return u'.' + name + u'.';
}

bool isTemporaryOf(const QString& entry, const QString& name)
{
  const QString prefix = temporaryPrefix(name);
  if (entry.size() != prefix.size() + RandomLength + TemporarySuffix.size() || !entry.startsWith(prefix)
      || !entry.endsWith(TemporarySuffix))
    return false;
  const QStringView random = QStringView(entry).sliced(prefix.size(), RandomLength);
  return std::all_of(random.begin(), random.end(), [](QChar c) { return RandomAlphabet.contains(c); });
}

// From the kernel each time: processes forked from one parent would draw the
// same names from a generator seeded before the fork.
QString randomPart()
{
  quint64 bits = QRandomGenerator::system()->generate64();
  QString random;
  for (qsizetype i = 0; i < RandomLength; ++i, bits /= RandomAlphabet.size())
    random += RandomAlphabet[qsizetype(bits % RandomAlphabet.size())];
  return random;
}

bool fail(QString* error, const QString& path, const QString& reason)
{
  if (error)
    *error = QStringLiteral("无法写入“%1”：%2").arg(path, reason);
  return false;
}

// The system's own texts are English; the errno says the same in words of ours.
QString systemError()
{
  return systemErrorText(errno);
}

int lockExclusively(int fd, int how)
{
  int locked;
  do
    locked = ::flock(fd, how);
  while (locked != 0 && errno == EINTR);
  return locked;
}

// A new temporary for `path`, created with the permissions a new file gets
// and locked; -1 with errno set when none can be made.
int createTemporary(const QString& path, QString* temporary)
{
  const QFileInfo target(path);
  const QString stem = target.absolutePath() + u'/' + temporaryPrefix(target.fileName());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString candidate = stem + randomPart() + TemporarySuffix;
    const int fd =
        ::open(encodeFileName(candidate).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST)
        continue;
      return -1;
    }
    struct stat own {};
    if (lockExclusively(fd, LOCK_EX) == 0 && ::fstat(fd, &own) == 0 && own.st_nlink > 0) {
      *temporary = candidate;
      return fd;
    }
    // Another writer's clean-up took it for debris before it was locked.
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

// Removes a temporary whose writer died. It is locked first, so one that is
// being written stays, and it is removed only if the name still is that file.
void removeIfDebris(const QString& path)
{
  const QByteArray name = encodeFileName(path);
  const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return;
  struct stat opened {}, named {};
  if (lockExclusively(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
      && ::lstat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
    ::unlink(name.constData());
  ::close(fd);
}

void removeDebrisOf(const QString& path)
{
  const QFileInfo target(path);
  const QDir folder = target.absoluteDir();
  for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (isTemporaryOf(entry, target.fileName()))
      removeIfDebris(folder.filePath(entry));
  }
}

// Makes the rename itself survive a crash; the new file is already in place,
// so a folder that cannot be synced is no reason to report a failure.
void syncFolder(const QString& folder)
{
  const int fd = ::open(encodeFileName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

// Fills the locked temporary `fd` and renames it over `path`; false with
// `reason` when the target must stay as it was.
bool fillAndRename(int fd, const QString& temporary, const QString& path, const ContentWriter& produce,
                   QString* reason)
{
  // A replaced file keeps its permissions.
  struct stat old {};
  if (::stat(encodeFileName(path).constData(), &old) == 0
      && ::fchmod(fd, old.st_mode & 07777) != 0) {
    *reason = systemError();
    return false;
  }
  QFile out;
  if (!out.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
    *reason = systemError();
    return false;
  }
  if (!produce(out, reason) || !out.flush()) {
    if (reason->isEmpty())
      *reason = systemError();
    return false;
  }
  int synced;
  do
    synced = ::fsync(fd);
  while (synced != 0 && errno == EINTR);
  if (synced != 0
      || ::rename(encodeFileName(temporary).constData(), encodeFileName(path).constData()) != 0) {
    *reason = systemError();
    return false;
  }
  return true;
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
  removeDebrisOf(path);
  QString temporary;
  const int fd = createTemporary(path, &temporary);
  if (fd < 0)
    return fail(error, path, systemError());
  QString reason;
  const bool replaced = fillAndRename(fd, temporary, path, produce, &reason);
  if (!replaced)
    ::unlink(encodeFileName(temporary).constData());
  // Closing lets go of the lock only now, after the rename or the removal.
  ::close(fd);
  if (!replaced)
    return fail(error, path, reason);
  syncFolder(QFileInfo(path).absolutePath());
  return true;
}

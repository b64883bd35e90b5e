#include "core/private_profile.h"

#include "core/atomic_file.h"
#include "core/file_lock.h"
#include "core/ini_document.h"
#include "core/regular_file.h"
#include "core/runtime_folder.h"

namespace {

// Writers wait this long for each other; a write holds the lock only for the
// milliseconds it takes to read and replace a small file.
constexpr std::chrono::milliseconds lockTimeout{5000};

// Names and values are C strings to the classic functions: they end at the
// first NUL.
QByteArray cString(QByteArray bytes)
{
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0)
    bytes.truncate(nul);
  return bytes;
}

QByteArray encoded(const QString& text)
{
  return cString(text.toLocal8Bit());
}

// The longest leading part of `text` whose encoding fits in `maxBytes`, cut
// between whole characters (a surrogate pair is one character).
QString fittingPrefix(const QString& text, qsizetype maxBytes)
{
  qsizetype bytes = 0;
  qsizetype end = 0;
  while (end < text.size()) {
    const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    bytes += text.sliced(end, length).toLocal8Bit().size();
    if (bytes > maxBytes)
      break;
    end += length;
  }
  return text.first(end);
}

} // namespace

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& path)
{
  QString result = QString::fromLocal8Bit(encoded(defaultValue));
  // No lock: writers replace the file by a rename, so a reader sees either the
  // old file or the new one, whole.
  const FileRead file = readRegularFile(path);
  if (file.status == FileRead::Status::Read) {
    if (const auto found = IniDocument::value(file.bytes, encoded(section), encoded(key)))
      result = QString::fromLocal8Bit(cString(*found));
  }
  return fittingPrefix(result, qMax(size - 1, 0));
}

bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& path)
{
  // Read, edit and replace under one lock, so a second writer edits the file
  // that already holds the first writer's key.
  const FileLock lock(lockPathFor(path), lockTimeout);
  if (!lock.isLocked())
    return false;
  // Something there that cannot be read (a pipe or a folder included) must
  // not be replaced by a file that holds only this key.
  const FileRead old = readRegularFile(path);
  if (old.status != FileRead::Status::Read && old.status != FileRead::Status::Missing)
    return false;
  const auto edited =
      IniDocument::withValue(old.bytes, encoded(section), encoded(key), encoded(value));
  return edited && writeFileAtomically(path, *edited);
}

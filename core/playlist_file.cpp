#include "core/playlist_file.h"

#include "core/atomic_file.h"
#include "core/file_name_bytes.h"
#include "core/regular_file.h"

bool playlistCanHold(const QString& entry)
{
  return !entry.contains(u'\r') && !entry.contains(u'\n');
}

QByteArray playlistBytes(const QStringList& entries)
{
  QByteArray bytes;
  for (const QString& entry : entries) {
    bytes += encodeFileName(entry);
    bytes += "\r\n";
  }
  return bytes;
}

bool writePlaylist(const QString& path, const QStringList& entries, QString* error)
{
  return writeFileAtomically(path, playlistBytes(entries), error);
}

QStringList parsePlaylist(const QByteArray& bytes)
{
  QStringList entries;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
      continue;
    if (i > start)
      entries << decodeFileName(bytes.sliced(start, i - start));
    start = i + 1;
  }
  return entries;
}

std::optional<QStringList> readPlaylist(const QString& path)
{
  // A dangling link counts as no file: the first write replaces the link.
  const FileRead file = readRegularFile(path);
  if (file.status == FileRead::Status::Missing)
    return QStringList();
  if (file.status != FileRead::Status::Read)
    return std::nullopt;
  return parsePlaylist(file.bytes);
}

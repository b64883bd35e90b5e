#include "core/playlist_file.h"

#include "core/atomic_file.h"
#include "core/file_name_bytes.h"
#include <QFile>
#include <QFileInfo>

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
  if (!QFileInfo::exists(path))
    return QStringList();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return std::nullopt;
  return parsePlaylist(bytes);
}

#include "playback/playlist_file.h"

#include "app/atomic_file.h"
#include "app/file_name_bytes.h"
#include <QFile>

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

QStringList readPlaylist(const QString& path, bool* exists)
{
  QFile file(path);
  const bool opened = file.open(QIODevice::ReadOnly);
  if (exists)
    *exists = opened;
  return opened ? parsePlaylist(file.readAll()) : QStringList();
}

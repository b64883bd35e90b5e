// The play list reader on any bytes, and the writer's output read back.
#include "core/playlist_file.h"
#include "tests/fuzz/invariant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList entries = parsePlaylist(bytes);
  for (const QString& entry : entries)
    require(!entry.isEmpty() && !entry.contains(u'\r') && !entry.contains(u'\n'),
            "an entry is one non-empty line");
  require(parsePlaylist(playlistBytes(entries)) == entries, "a list read, written and read again is the same");

  // The same bytes as a list to write, one entry per NUL-separated piece: every
  // entry without CR or LF comes back as it was.
  QStringList written;
  for (const QByteArray& piece : bytes.split('\0')) {
    const QString entry = QString::fromUtf8(piece);
    if (!entry.isEmpty() && !entry.contains(u'\r') && !entry.contains(u'\n'))
      written << entry;
  }
  require(parsePlaylist(playlistBytes(written)) == written, "written entries read back");
  return 0;
}

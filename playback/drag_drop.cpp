#include "playback/opening.h"

#include "core/file_name_bytes.h"

#include "core/media_engine.h"
#include "shell/mod_short_path.h"

namespace {

// The design's "ordinary file" test: a file that is not a folder. On Linux
// hidden is only a naming habit, so a single dropped dot file plays as well:
// a file cannot be listed as a folder.
bool isOrdinaryFile(const QString& path)
{
  return kindOfPath(path) == PathKind::File;
}

} // namespace

void Opening::Form_OLEDragDrop(const QStringList& Data)
{
  if (Data.size() != 1) {
    // Several items (or none) are played as they are, folders unexpanded.
    if (writeDefaultPlaylist(Data))
      m_player.setURL(defaultPlaylistPath());
    return;
  }
  const QString& P = Data.first();
  if (isOrdinaryFile(ModShortPath::GetShortPath(P))) {
    m_player.setURL(P);
    return;
  }
  // Anything that is neither a file nor a folder is left alone.
  if (!File1.setPath(P))
    return;
  QStringList lines;
  lines.reserve(File1.ListCount());
  // The folder exactly as dropped: a dropped "/" gives "//name".
  for (const QString& name : File1.List())
    lines << P + u'/' + name;
  if (writeDefaultPlaylist(lines) && File1.ListCount() > 0)
    m_player.setURL(defaultPlaylistPath());
}

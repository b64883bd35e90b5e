#include "app/media_frm.h"

#include "app/program_folder.h"
#include "dialogs/message_boxes.h"
#include "playback/playlist_file.h"

QString MediaFrm::defaultPlaylistPath() const
{
  return joinPath(playlistFolder(programFolder()), QStringLiteral("default.m3u"));
}

bool MediaFrm::writeDefaultPlaylist(const QStringList& entries)
{
  const QString path = defaultPlaylistPath();
  QString error;
  if (writePlaylist(path, entries, &error))
    return true;
  gui().messageBoxes().show(MessageBoxes::Icon::Error, QStringLiteral("Kelvarino"),
                            QStringLiteral("无法写入播放列表文件：\n%1\n\n%2").arg(path, error));
  return false;
}

#include "playback/opening.h"

#include "core/program_folder.h"
#include "core/message_boxes.h"
#include "core/playlist_file.h"

namespace {

// A name is shown on one line, its line breaks as the escapes "\r" and "\n".
QString shownOnOneLine(QString entry)
{
  return entry.replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n"));
}

} // namespace

QString Opening::defaultPlaylistPath() const
{
  return joinPath(playlistFolder(m_programFolder), QStringLiteral("default.m3u"));
}

bool Opening::writeDefaultPlaylist(const QStringList& entries)
{
  QStringList held;
  QStringList leftOut;
  for (const QString& entry : entries) {
    if (playlistCanHold(entry))
      held << entry;
    else
      leftOut << shownOnOneLine(entry);
  }
  if (!leftOut.isEmpty())
    m_messages.show(MessageBoxes::Icon::Warning, QStringLiteral("Kelvarino"),
                              QStringLiteral("以下文件的名称含有换行符，播放列表无法记录，已略过：\n%1")
                                  .arg(leftOut.join(u'\n')));
  const QString path = defaultPlaylistPath();
  QString error;
  if (!writePlaylist(path, held, &error)) {
    m_messages.show(MessageBoxes::Icon::Error, QStringLiteral("Kelvarino"),
                              QStringLiteral("无法写入播放列表文件：\n%1\n\n%2").arg(path, error));
    return false;
  }
  return !held.isEmpty() || leftOut.isEmpty();
}

#include "playback/opening.h"

#include "core/media_types.h"

#include "core/command_line_media.h"
#include "dialogs/mod_cdl.h"
#include "core/media_engine.h"

Opening::Opening(MediaEngine& player, FileDialogs& dialogs, MessageBoxes& messages,
                 QString programFolder, QString workingFolder)
    : m_player(player), m_dialogs(dialogs), m_messages(messages),
      m_programFolder(std::move(programFolder)), m_workingFolder(std::move(workingFolder))
{
}

void Opening::mOpen_Click()
{
  const QString raw = ModCdl::ShowOpenDialog(m_dialogs, QStringLiteral("打开"),
                                             ModCdl::FilterText(MediaTypes::openFilters()), 1, 65535);
  if (raw.isEmpty())
    return;
  const int n = ModCdl::SplitSelection(raw, SelectedFiles);
  if (n == 0) {
    m_player.setURL(SelectedFiles[0]);
    return;
  }
  if (writeDefaultPlaylist(SelectedFiles))
    m_player.setURL(defaultPlaylistPath());
}

void Opening::openCommandLine(const QStringList& arguments)
{
  const CommandLineMedia media = commandLineMedia(arguments, m_workingFolder);
  if (media.files.isEmpty())
    m_player.setURL(media.url);
  else if (writeDefaultPlaylist(media.files))
    m_player.setURL(defaultPlaylistPath());
}

#include "playback/opening.h"

#include "core/command_line_media.h"
#include "dialogs/mod_cdl.h"
#include "core/media_engine.h"

namespace {

const QVector<FileFilter>& openFilters()
{
  static const QVector<FileFilter> filters{
      {QStringLiteral("媒体文件(所有类型)(*.kq;*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*."
                      "rmvb;*.mov;*.qt;*.ogm;*.bik;*.mp4;*.flv;*.mp3;*.wma;*.ape;*.wav;*.ogg;*.mid;*."
                      "dts;*.amr;*.ra;*.ac3;*.m3u)"),
       QStringLiteral("*.kq;*.ts;*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*.rmvb;*.mov;*."
                      "qt;*.ogm;*.bik;*.mp4;*.flv;*.mp3;*.wma;*.ape;*.flac;*.wav;*.ogg;*.mid;*.dts;*."
                      "amr;*.ra;*.ac3;*.m3u")},
      {QStringLiteral("视频文件(*.kq;*.mp4;*.avi;*.mkv;*.flv;*.wmv;*.rm;*.rmvb;*.mov;*.m2t;*.m2ts;*."
                      "mpg;*.asf;*.ts;*.qt;*.ogm;*.bik)"),
       QStringLiteral("*.kq;*.mp4;*.avi;*.mkv;*.flv;*.wmv;*.rm;*.rmvb;*.mov;*.m2t;*.m2ts;*.mpg;*.asf;"
                      "*.ts;*.qt;*.ogm;*.bik")},
      {QStringLiteral("音频文件(*.mp3;*.ape;*.wav;*.dts;*.wma;*.ogg;*.mid;*.amr;*.ra;*.ac3)"),
       QStringLiteral("*.mp3;*.ape;*.wav;*.dts;*.wma;*.ogg;*.mid;*.amr;*.ra;*.ac3")},
      {QStringLiteral("播放列表(*.m3u)"), QStringLiteral("*.m3u")},
      {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")},
  };
  return filters;
}

} // namespace

Opening::Opening(MediaEngine& player, FileDialogs& dialogs, MessageBoxes& messages,
                 QString programFolder, QString workingFolder)
    : m_player(player), m_dialogs(dialogs), m_messages(messages),
      m_programFolder(std::move(programFolder)), m_workingFolder(std::move(workingFolder))
{
}

void Opening::mOpen_Click()
{
  const QString raw = ModCdl::ShowOpenDialog(m_dialogs, QStringLiteral("打开"),
                                             ModCdl::FilterText(openFilters()), 1, 65535);
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

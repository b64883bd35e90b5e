#include "app/media_frm.h"

#include "app/command_line_media.h"
#include "dialogs/mod_cdl.h"
#include "playback/media_engine.h"

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

void MediaFrm::mOpen_Click()
{
  const QString raw = ModCdl::ShowOpenDialog(gui().fileDialogs(), QStringLiteral("打开"),
                                             ModCdl::FilterText(openFilters()), 1, 65535);
  if (raw.isEmpty())
    return;
  const int n = ModCdl::SplitSelection(raw, SelectedFiles);
  if (n == 0) {
    WMP().setURL(SelectedFiles[0]);
    return;
  }
  if (writeDefaultPlaylist(SelectedFiles))
    WMP().setURL(defaultPlaylistPath());
}

void MediaFrm::openCommandLine(const QStringList& arguments)
{
  const CommandLineMedia media = commandLineMedia(arguments, m_start.workingFolder);
  if (media.files.isEmpty())
    WMP().setURL(media.url);
  else if (writeDefaultPlaylist(media.files))
    WMP().setURL(defaultPlaylistPath());
}

#include "dialogs/mod_api_save.h"

#include "core/file_dialogs.h"
#include "core/message_boxes.h"
#include <QFile>
#include <QFileInfo>
#include <climits>

namespace ModAPISave {

namespace {

// A path the system can open: its bytes and the terminating NUL fit PATH_MAX.
// Longer ones fail in every call that takes them.
bool fitsPathLimit(const QString& path)
{
  return QFile::encodeName(path).size() < PATH_MAX;
}

const QVector<FileFilter>& mediaFilter()
{
  static const QVector<FileFilter> filters{
      {QStringLiteral("媒体文件(所有类型)(*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*."
                      "rmvb;*.mov;*.qt;*.ogm;*.bik;*.mp4;*.flv;*.mp3;*.wma;*.ape;*.wav;*.ogg;*.mid;*."
                      "dts;*.amr;*.ra;*.ac3;*.m3u)"),
       QStringLiteral("*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*.rmvb;*.mov;*.qt;*.ogm;"
                      "*.bik;*.mp4;*.flv;*.mp3;*.wma;*.ape;*.flac;*.wav;*.ogg;*.mid;*.dts;*.amr;*.ra;"
                      "*.ac3;*.m3u")},
      {QStringLiteral("视频文件(*.mp4;*.avi;*.mkv;*.flv;*.wmv;*.rm;*.rmvb;*.mov;*.m2t;*.m2ts;*.mpg;*."
                      "asf;*.ts;*.qt;*.ogm;*.bik)"),
       QStringLiteral("*.mp4;*.avi;*.mkv;*.flv;*.wmv;*.rm;*.rmvb;*.mov;*.m2t;*.m2ts;*.mpg;*.asf;*.ts;"
                      "*.qt;*.ogm;*.bik")},
      {QStringLiteral("音频文件(*.mp3;*.ape;*.wav;*.dts;*.wma;*.ogg;*.mid;*.amr;*.ra;*.ac3)"),
       QStringLiteral("*.mp3;*.ape;*.wav;*.dts;*.wma;*.ogg;*.mid;*.amr;*.ra;*.ac3")},
      {QStringLiteral("播放列表(*.m3u)"), QStringLiteral("*.m3u")},
      {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")},
  };
  return filters;
}

} // namespace

QString ShowFileDialog(FileDialogs& dialogs, MessageBoxes& messages, const QString& mode,
                       const QString& title, const QString& fileName)
{
  QString chosen;
  const bool fits = fitsPathLimit(fileName);
  if (fits) {
    if (mode.toUpper() == QLatin1String("OPEN")) {
      chosen = dialogs.getOpenFileName(title, fileName, mediaFilter());
    } else {
      // A name typed without an extension gets the preset file's own, so a
      // media copy never turns into a program file.
      chosen = dialogs.getSaveFileName(title, fileName, mediaFilter(),
                                       QFileInfo(fileName).suffix());
    }
  }
  if (fits && fitsPathLimit(chosen))
    return chosen;
  messages.show(MessageBoxes::Icon::Error, QString(), QStringLiteral("未知原因导致操作失败！"));
  return {};
}

} // namespace ModAPISave

#include "core/media_types.h"

#include <QMimeDatabase>

namespace MediaTypes {

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

const QVector<FileFilter>& saveFilters()
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

QString folderListPattern()
{
  return QStringLiteral(
    "*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*.rmvb;*.mov;*.qt;*.ogm;*.bik;*.mp4;*.flv;"
    "*.mp3;*.wma;*.ape;*.wav;*.ogg;*.mid;*.dts;*.amr;*.ra;*.ac3;*.m3u;*.kqm;*.kqw;*.kqa;*.kqr");
}

const QStringList& associatedExtensions()
{
  static const QStringList extensions{
      ".mkv", ".m2t", ".avi", ".wmv", ".rm",  ".rmvb", ".mov", ".mp4", ".flv",
      ".mp3", ".wav", ".ape", ".flac", ".dts", ".wma", ".mid", ".m3u", ".wpl"};
  return extensions;
}

QStringList mimeTypesOf(const QString& extension)
{
  QStringList names;
  for (const QMimeType& type : QMimeDatabase().mimeTypesForFileName(u'x' + extension))
    names << type.name();
  return names;
}

} // namespace MediaTypes

#include "playback/playback_failure.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include <QFileInfo>

namespace PlaybackFailure {

Source inspect(const QString& source)
{
  Source s;
  s.address = WebAddress::isAddress(source);
  s.list = source.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive);
  if (s.address)
    return s;
  const QFileInfo file(source);
  s.exists = file.exists();
  s.readable = file.isReadable();
  s.folder = file.isDir();
  s.special = kindOfPath(source) == PathKind::Other;
  return s;
}

QString displayName(const QString& source)
{
  if (WebAddress::isAddress(source))
    return source;
  // "/music/" names the folder "music".
  QString path = source;
  while (path.size() > 1 && path.endsWith(u'/'))
    path.chop(1);
  const qsizetype slash = path.lastIndexOf(u'/');
  return slash < 0 || path.size() == 1 ? path : path.mid(slash + 1);
}

QString reason(Cause cause, const Source& source)
{
  switch (cause) {
  case Cause::LoadingFailed:
    if (source.address)
      return QStringLiteral("无法连接到该地址");
    if (!source.exists)
      return QStringLiteral("文件不存在");
    if (source.special)
      return QStringLiteral("不是普通文件");
    if (!source.readable)
      return QStringLiteral("没有读取权限");
    return QStringLiteral("无法读取文件");
  case Cause::UnknownFormat:
    // The engine finds no format at all in an empty folder or list.
    if (source.folder)
      return QStringLiteral("文件夹中没有可播放的文件");
    if (source.list)
      return QStringLiteral("播放列表中没有可播放的项目");
    return QStringLiteral("不是媒体文件或格式不受支持");
  case Cause::NothingToPlay:
    return QStringLiteral("没有可播放的声音或画面");
  case Cause::OutputFailed:
    return QStringLiteral("无法打开声音或画面输出");
  case Cause::ListsItself:
    return QStringLiteral("播放列表列出了它自己，已跳过这一项");
  case Cause::NestedTooDeep:
    return QStringLiteral("播放列表嵌套太深，已跳过这一项");
  case Cause::Other:
    break;
  }
  return QStringLiteral("播放出错");
}

QString line(const QString& name, const QString& reason)
{
  return QStringLiteral("无法播放 “%1”：%2").arg(name, reason);
}

} // namespace PlaybackFailure

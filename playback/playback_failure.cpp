#include "playback/playback_failure.h"

#include "core/display_name.h"
#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include <QFileInfo>
#include <QRegularExpression>

namespace PlaybackFailure {

namespace {

QString networkReason(const Network& network)
{
  const int status = network.httpStatus;
  if (status == 404 || status == 410)
    return QStringLiteral("服务器上没有这个文件");
  if (status == 401 || status == 403)
    return QStringLiteral("服务器拒绝访问");
  if (status >= 500)
    return QStringLiteral("服务器出错（HTTP %1）").arg(status);
  if (status > 0)
    return QStringLiteral("服务器拒绝了请求（HTTP %1）").arg(status);
  if (network.hostUnknown)
    return QStringLiteral("找不到该服务器");
  if (network.refused)
    return QStringLiteral("服务器拒绝连接");
  if (network.noAnswer)
    return QStringLiteral("服务器没有响应");
  if (network.cannotSeek)
    return QStringLiteral("服务器不支持跳转读取，无法播放这个文件");
  return {};
}

} // namespace

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

void ServerLog::read(const QString& part, const QString& line)
{
  static const QRegularExpression httpError(QStringLiteral("HTTP error (\\d{3})"));
  static const QLatin1String failedToOpen("Failed to open ");
  if (part == QLatin1String("stream") && line.startsWith(failedToOpen)) {
    QString source = line.mid(failedToOpen.size()).trimmed();
    if (source.endsWith(u'.'))
      source.chop(1);
    m_said.push_back({source, std::exchange(m_pending, {})});
    if (m_said.size() > Remembered)
      m_said.removeFirst();
  } else if (part == QLatin1String("ffmpeg")) {
    if (const QRegularExpressionMatch m = httpError.match(line); m.hasMatch())
      m_pending.httpStatus = m.captured(1).toInt();
    else if (line.contains(QLatin1String("Failed to resolve hostname")))
      m_pending.hostUnknown = true;
    else if (line.contains(QLatin1String("Connection refused")))
      m_pending.refused = true;
  }
}

Network ServerLog::take(const QString& source)
{
  for (qsizetype i = m_said.size() - 1; i >= 0; --i)
    if (m_said[i].first == source)
      return m_said.takeAt(i).second;
  return {};
}

QString reason(Cause cause, const Source& source)
{
  if (source.address && cause != Cause::ListsItself && cause != Cause::NestedTooDeep) {
    const QString said = networkReason(source.network);
    if (!said.isEmpty())
      return said;
  }
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
  return QStringLiteral("无法播放 “%1”：%2").arg(isolated(singleLine(name)), reason);
}

QString lineFor(const QString& source, const ItemFailure& failure)
{
  Source what = inspect(source);
  what.network = failure.network;
  return line(displayName(source), reason(failure.cause, what));
}

QString openingLine(const QString& name)
{
  return QStringLiteral("正在打开 “%1”…").arg(isolated(singleLine(name)));
}

} // namespace PlaybackFailure

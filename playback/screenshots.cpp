#include "playback/screenshots.h"

#include "core/display_name.h"
#include "core/file_name_bytes.h"
#include "core/media_engine.h"
#include "core/user_dirs.h"
#include "core/web_address.h"
#include "playback/on_screen_notes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Far below the 255 bytes a file name may have, with room for " (99).png".
constexpr qsizetype LongestName = 80;

// Gives `from` the name `to` unless a file has it; errno's value otherwise.
int moveWithoutReplacing(const QString& from, const QString& to)
{
  const QByteArray source = encodeFileName(from), target = encodeFileName(to);
  const int renamed =
      ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
  if (renamed == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS)
    return errno;
  // File systems that cannot refuse a rename can still refuse a link.
  if (::link(source.constData(), target.constData()) != 0)
    return errno;
  ::unlink(source.constData());
  return 0;
}

bool isWritableFolder(const QString& folder)
{
  return QDir().mkpath(folder) && QFileInfo(folder).isDir()
         && ::access(encodeFileName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace

Screenshots::Screenshots(MediaEngine& player, QString folder)
    : m_player(player), m_folder(std::move(folder))
{
  connect(&player, &MediaEngine::screenshotSaved, this, &Screenshots::saved);
}

QString Screenshots::folder() const
{
  return m_folder.isEmpty() ? UserDirs::pictures() + QStringLiteral("/Kelvarino") : m_folder;
}

QString Screenshots::baseName(const QString& source, double position)
{
  QString name = WebAddress::isAddress(source) ? QUrl(source).fileName() : displayName(source);
  if (WebAddress::isAddress(source) && name.isEmpty())
    name = QUrl(source).host();
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot > 0)
    name.truncate(dot);
  name = singleLine(name, LongestName).replace(u'/', u'_');
  // No hidden file, and none that the engine's hidden ones could be taken for.
  if (name.startsWith(u'.'))
    name[0] = u'_';
  if (name.isEmpty())
    name = QStringLiteral("截图");
  const long long s = std::isfinite(position) && position > 0 ? (long long)position : 0;
  return QStringLiteral("%1 %2-%3-%4")
      .arg(name)
      .arg(s / 3600, 2, 10, QChar(u'0'))
      .arg(s / 60 % 60, 2, 10, QChar(u'0'))
      .arg(s % 60, 2, 10, QChar(u'0'));
}

void Screenshots::take(bool withSubtitles)
{
  const std::optional<MediaItem> item = m_player.currentMedia();
  const int state = m_player.playState();
  if (!item || item->imageSourceWidth <= 0
      || (state != PlayState::Playing && state != PlayState::Paused)) {
    m_player.showNote(OnScreenNotes::noPicture());
    return;
  }
  const QString target = folder();
  if (!isWritableFolder(target)) {
    m_player.showNote(OnScreenNotes::screenshotFolderUnwritable(isolated(singleLine(target))));
    return;
  }
  const QString hidden = QStringLiteral("%1/.kelvarino-%2-%3.png")
                             .arg(target)
                             .arg(QCoreApplication::applicationPid())
                             .arg(++m_taken);
  m_pending.insert(hidden, baseName(item->sourceURL, m_player.currentPosition()));
  m_player.saveScreenshot(hidden, withSubtitles);
}

void Screenshots::saved(const QString& hidden, bool ok)
{
  const QString name = m_pending.take(hidden);
  if (name.isEmpty())
    return;
  const QString folder = QFileInfo(hidden).absolutePath();
  for (int copy = 1; ok && copy < 100; ++copy) {
    const QString fileName =
        name + (copy > 1 ? QStringLiteral(" (%1)").arg(copy) : QString()) + QStringLiteral(".png");
    const int error = moveWithoutReplacing(hidden, folder + u'/' + fileName);
    if (error == 0) {
      m_player.showNote(OnScreenNotes::screenshotSaved(isolated(fileName)));
      return;
    }
    ok = error == EEXIST;
  }
  ::unlink(encodeFileName(hidden).constData());
  m_player.showNote(OnScreenNotes::screenshotFailed());
}

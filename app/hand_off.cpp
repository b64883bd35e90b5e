#include "app/hand_off.h"

#include "app/instance_channel.h"
#include "app/main_window_port.h"
#include "app/media_frm.h"
#include "playback/media_engine.h"
#include "playback/milestone_trace.h"
#include "shell/process_launcher.h"
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
const QString GetInfo = QStringLiteral("GetInfo:");

// Full screen is the player's and lies over the window: the player leaves it
// first, or the window would come back maximised under a floating bar.
void setNormal(MainWindowPort& window, MediaEngine& player)
{
  if (player.fullScreen())
    player.setFullScreen(false);
  window.setWindowState(WindowState::Normal);
}

} // namespace

QString handOffCommand(const QString& commandTail, const QString& workingFolder)
{
  if (commandTail.isEmpty())
    return QStringLiteral("nor");
  const QString path = QString(commandTail).remove(u'"');
  if (path.isEmpty() || QDir::isAbsolutePath(path) || workingFolder.isEmpty())
    return commandTail;
  const QFileInfo file(QDir(workingFolder), path);
  if (!file.exists())
    return commandTail;
  const QString absolute = QDir::cleanPath(file.absoluteFilePath());
  return commandTail.contains(u'"') ? u'"' + absolute + u'"' : absolute;
}

void MediaFrm::SendDDE(const QString& command)
{
  // Nobody answering is no reason to show a window: the process ends either way.
  if (m_channel)
    m_channel->execute(command);
}

void MediaFrm::Form_LinkExecute(const QString& CmdStr, int& Cancel)
{
  if (CmdStr.startsWith(GetInfo)) {
    startWithMediaInfo(QString(CmdStr).remove(GetInfo));
  } else if (CmdStr == QLatin1String("nor")) {
    setNormal(window(), WMP());
    window().bringToFront();
  } else {
    if (window().windowState() != WindowState::Normal)
      setNormal(window(), WMP());
    window().bringToFront();
    WMP().setURL(QString(CmdStr).remove(u'"'));
  }
  Cancel = 0;
  traceMilestone("link-execute", CmdStr);
}

void MediaFrm::startWithMediaInfo(const QString& commandLine)
{
  // Program and arguments are split like a command line but never run by a
  // shell: the media's author and title stay data, whatever they hold.
  QStringList arguments = QProcess::splitCommand(commandLine);
  if (arguments.isEmpty())
    return;
  const QString program = arguments.takeFirst();
  const std::optional<MediaItem> media = WMP().currentMedia();
  const QString author = media ? media->getItemInfo(QStringLiteral("Author")) : QString();
  const QString title = media ? media->getItemInfo(QStringLiteral("Title")) : QString();
  arguments << QStringLiteral("FileName:") + author + QStringLiteral(" - ") + title;
  // A program that cannot start changes nothing.
  gui().processes().startDetached(program, arguments);
}

void MediaFrm::mRun_Click()
{
  const QString Option = QStringLiteral("Option");
  if (menus.checked(MenuItem::mRun)) {
    WriteIni(Option, QStringLiteral("mRun"), QStringLiteral("False"));
    menus.setChecked(MenuItem::mRun, false);
  } else {
    WriteIni(Option, QStringLiteral("mRun"), QStringLiteral("True"));
    menus.setChecked(MenuItem::mRun, true);
  }
}

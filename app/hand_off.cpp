#include "app/hand_off.h"

#include "app/command_line_media.h"
#include "app/file_name_bytes.h"
#include "app/instance_channel.h"
#include "app/main_window_port.h"
#include "app/media_frm.h"
#include "playback/media_engine.h"
#include "playback/milestone_trace.h"
#include "shell/process_launcher.h"
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

QString handOffCommand(const QStringList& arguments, const QString& workingFolder)
{
  const QString tail = arguments.join(u' ');
  if (tail.isEmpty())
    return QStringLiteral("nor");
  const CommandLineMedia media = commandLineMedia(arguments, workingFolder);
  if (!media.files.isEmpty())
    return media.files.join(HandOffFileSeparator);
  // A relative path would mean another file, or none, in the first
  // instance's working folder.
  const QString absolute = absoluteFrom(workingFolder, media.url);
  if (media.url.isEmpty() || absolute == media.url || !namesExistingPath(absolute))
    return tail;
  // The quotes go along only when they were no part of the name.
  return media.url == tail ? absolute : u'"' + absolute + u'"';
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
    openCommandLine(CmdStr.split(HandOffFileSeparator));
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

#include "app/media_frm.h"

#include "app/hand_off_command.h"
#include "playback/opening.h"
#include "core/command_line_media.h"
#include "core/file_name_bytes.h"
#include "app/instance_channel.h"
#include "core/main_window_port.h"
#include "core/media_engine.h"
#include "core/milestone_trace.h"
#include "core/process_launcher.h"
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
    m_opening->openCommandLine(CmdStr.split(HandOffFileSeparator));
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
  // Takes effect at the next start; this instance answers second starts either way.
  m_settings.toggle(menus, MenuItem::mRun, QStringLiteral("mRun"));
}

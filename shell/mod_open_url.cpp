#include "shell/mod_open_url.h"

#include "core/message_boxes.h"
#include "core/process_launcher.h"

namespace ModOpenUrl {

void OpenInBrowser(ProcessLauncher& processes, MessageBoxes& messages, const QString& url)
{
  // The address is one argument of xdg-open, never shell text. Only its exit
  // status tells whether a handler was found and started.
  processes.startWatched(QStringLiteral("xdg-open"), {url}, [&messages](bool succeeded) {
    if (!succeeded)
      messages.show(MessageBoxes::Icon::Error, QStringLiteral("错误："),
                    QStringLiteral("调用浏览器错误！"));
  });
}

} // namespace ModOpenUrl

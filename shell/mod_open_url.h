#pragma once

#include <QString>

class MessageBoxes;
class ProcessLauncher;

namespace ModOpenUrl {

// Opens `url` with the desktop's default handler (for a web address, the
// browser) without waiting for it. When the handler cannot be started or
// reports a failure, the user is told "调用浏览器错误！".
void OpenInBrowser(ProcessLauncher& processes, MessageBoxes& messages, const QString& url);

} // namespace ModOpenUrl

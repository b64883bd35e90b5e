#pragma once

#include <QString>

class FileDialogs;
class MessageBoxes;

// The single-file open or save dialog with the media filter.
namespace ModAPISave {

// "OPEN" in any letter case shows the open form, anything else the save form.
// Returns the chosen full path, or "" when cancelled; on an error (a path
// longer than the system can open) the user is told "未知原因导致操作失败！"
// and the result is "".
QString ShowFileDialog(FileDialogs& dialogs, MessageBoxes& messages, const QString& mode,
                       const QString& title, const QString& fileName);

} // namespace ModAPISave

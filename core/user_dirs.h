#pragma once

#include <QString>

// The user's own folders as the desktop names them in
// `${XDG_CONFIG_HOME:-~/.config}/user-dirs.dirs` (what `xdg-user-dir`
// prints), read as data: the file is never run by a shell.
namespace UserDirs {

// XDG_PICTURES_DIR, or ~/Pictures where the file does not name it, names it
// in a form the file's own rules do not allow, or cannot be read.
QString pictures();

// The folder a line of user-dirs.dirs such as `XDG_PICTURES_DIR="$HOME/图片"`
// names for `variable`; empty when the text has no valid line for it.
QString folderIn(const QByteArray& text, const QByteArray& variable, const QString& home);

} // namespace UserDirs

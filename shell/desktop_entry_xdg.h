#pragma once

#include <QString>
#include <QStringList>

// The parts of the Desktop Entry format the class store needs: the Exec key's
// quoting and the string escapes of a value, and reading the keys of the
// "[Desktop Entry]" group.
namespace DesktopEntry {

// The open command as the class store holds it (a double-quoted program and a
// double-quoted "%1" for the file) as an Exec value: "%1" becomes the field
// code %F, all the files of a selection; the program is quoted only when it
// holds a reserved character, since xdg-open without a desktop environment
// cannot run a quoted Exec.
QString execFromOpenCommand(const QString& openCommand);
// The reverse: the same open command back from an Exec value, exactly, so that
// the start-up check can compare it. Only %F reads back as "%1": an entry
// with %f (one process for each selected file) is no command of ours.
QString openCommandFromExec(const QString& exec);

// A value as written in the file: backslash, newline, tab and carriage return
// escaped, a leading space as "\s".
QString escapeValue(const QString& value);
QString unescapeValue(const QString& raw);

// The unescaped values of the "[Desktop Entry]" group of `content`, in order
// of appearance; the first of duplicate keys wins. Localised keys
// ("Name[zh_CN]") are kept with their locale.
QList<std::pair<QString, QString>> readGroup(const QByteArray& content);

// `content` with keys of its first "[Desktop Entry]" group set to values
// (escaped here): the first line of a key is replaced where it stands, a new
// key follows the group's last non-blank line. Every other byte stays, so the
// entry keeps its other keys, translations and action groups. Without such a
// group `content` comes back unchanged.
QByteArray withValues(const QByteArray& content, const QList<std::pair<QString, QString>>& values);

} // namespace DesktopEntry

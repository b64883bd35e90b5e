#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Joins the paths of a second start that names several files. No argument of
// a command line can hold it, so no tail is ever read as such a list.
inline constexpr QChar HandOffFileSeparator = u'\0';

// The command a second start sends to the first instance: "nor" for an empty
// command-line tail, otherwise the tail as received. Two mends: a relative
// path that names an existing file or folder in the sender's working folder
// is sent as an absolute path (quoted when its quotes were no part of the
// name), because the first instance has another working folder and would
// open the wrong file, or none; and several arguments that are each an
// existing file go as their absolute paths joined by HandOffFileSeparator.
QString handOffCommand(const QStringList& arguments, const QString& workingFolder);

// A start by the desktop may come with a token that lets a window take the
// focus (XDG_ACTIVATION_TOKEN, Wayland's activation). A second start sends it
// ahead of its command, between two NULs, since no command begins with one, so
// that the first instance may bring its window to the front.
QString withActivationToken(const QString& command, const QString& token);

struct ReceivedCommand {
  QString command;
  QString activationToken;
};
ReceivedCommand splitActivationToken(const QString& received);

#include "app/hand_off_command.h"

#include "core/command_line_media.h"
#include "core/file_name_bytes.h"

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

QString withActivationToken(const QString& command, const QString& token)
{
  if (token.isEmpty() || token.contains(QChar(0)))
    return command;
  return QChar(0) + token + QChar(0) + command;
}

ReceivedCommand splitActivationToken(const QString& received)
{
  const qsizetype end = received.startsWith(QChar(0)) ? received.indexOf(QChar(0), 1) : -1;
  if (end < 0)
    return {received, {}};
  return {received.mid(end + 1), received.mid(1, end - 1)};
}

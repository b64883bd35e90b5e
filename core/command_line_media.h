#pragma once

#include <QString>
#include <QStringList>

// What a start's arguments ask the player to open: one path or address for
// the engine's URL, or several files to be played as a list.
struct CommandLineMedia {
  QString url;
  QStringList files; // absolute paths; when not empty, url is empty
};

// The arguments joined by single spaces make the command-line tail, which is
// one path or address:
// - when the tail exactly as received names an existing file or folder, it is
//   played unchanged (the shell has already taken its quotes away, so a
//   double quote left in it is part of the name);
// - otherwise every double quote is removed from it.
// Several arguments that are each an existing file, where the tail names
// nothing either way, are the files in their order instead. Relative paths
// are taken from `workingFolder`.
CommandLineMedia commandLineMedia(const QStringList& arguments, const QString& workingFolder);

// A path as seen from `workingFolder`: an absolute path stays as it is.
QString absoluteFrom(const QString& workingFolder, const QString& path);

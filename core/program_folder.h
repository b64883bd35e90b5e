#pragma once

#include <QString>

// The folder of the executable, without a trailing "/" except at the root.
QString programFolderOf(const QString& executablePath);

// Joins a folder and a name with one "/"; the root "/" already ends in one.
QString joinPath(const QString& folder, const QString& name);

// Where the play lists live: "playlist" in the program folder, or in the
// user's data folder when the program folder cannot be written (a system-wide
// install). Everyone who needs the folder asks this one function.
QString playlistFolder(const QString& programFolder);

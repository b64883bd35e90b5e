#pragma once

#include "core/media_types.h"
#include "playback/file_list.h"
#include <QString>
#include <QStringList>

class FileDialogs;
class MediaEngine;
class MessageBoxes;

// Everything that hands files to the player: the open command, a start's
// arguments and a second start's, and drops on the window. Several files go
// through the default play list, default.m3u, rewritten each time.
class Opening {
public:
  Opening(MediaEngine& player, FileDialogs& dialogs, MessageBoxes& messages, QString programFolder,
          QString workingFolder);

  // The open command (open_command.cpp).
  void mOpen_Click();
  // Plays what a start's arguments, or a second start's, name: one path or
  // address, or several files as a list, as the open command does.
  void openCommandLine(const QStringList& arguments);
  // The paths dropped on the window (drag_drop.cpp).
  void Form_OLEDragDrop(const QStringList& Data);

  // The default play list (default_playlist.cpp).
  QString defaultPlaylistPath() const;
  // Rewrites default.m3u with the entries a play list can hold and tells the
  // user which it left out. False, after telling the user, when it cannot
  // write or left out every entry: there is then nothing to play.
  bool writeDefaultPlaylist(const QStringList& entries);

  QStringList SelectedFiles; // full paths chosen in the open dialog
  // Lists the media files of a dropped folder.
  FileListBox File1{MediaTypes::folderListPattern()};

private:
  MediaEngine& m_player;
  FileDialogs& m_dialogs;
  MessageBoxes& m_messages;
  QString m_programFolder;
  QString m_workingFolder;
};

#pragma once

class FileDialogs;
class MediaEngine;
class MessageBoxes;
class ProcessLauncher;

// 另存为: a copy of the local file that is loaded, or its web address opened in
// the browser. A cancelled dialog leaves no file and says nothing; a copy that
// fails says so in a message box that names the file and why, as a copy that
// silently writes nothing would pass for one that was made.
class SaveAs {
public:
  SaveAs(MediaEngine& player, FileDialogs& dialogs, MessageBoxes& messages,
         ProcessLauncher& processes);

  void mSaveAs_Click();

private:
  MediaEngine& m_player;
  FileDialogs& m_dialogs;
  MessageBoxes& m_messages;
  ProcessLauncher& m_processes;
};

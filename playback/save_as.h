#pragma once

class FileDialogs;
class MediaEngine;
class MessageBoxes;
class ProcessLauncher;

// 另存为: a copy of the local file that is loaded, or its web address opened in
// the browser. It says nothing of its own: a cancelled dialog or a failed copy
// simply leaves no file.
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

#pragma once

#include <QString>
#include <mutex>

class ClassStore;
class MessageBoxes;

// The program's own file type: repaired silently at every start, and on the
// user's request (文件关联) the 18 common media types mapped to it.
class FileAssociation {
public:
  FileAssociation(ClassStore& store, MessageBoxes& messages, QString executablePath);

  // The start-up check. `ScrNor` carries the command read back until the
  // play-state handling takes the flag over. True when the registration
  // needs the repair; that writes the desktop's files and starts its tools,
  // which start-up leaves until its first picture is on the screen.
  bool checkFileType(QString& ScrNor);
  // May run on a thread of its own, alongside the window's handlers.
  void repairFileType();
  void FileReg_Click();

private:
  ClassStore& m_store;
  MessageBoxes& m_messages;
  QString m_executable;
  std::mutex m_storeInUse; // the repair and the user's 文件关联 take turns
};

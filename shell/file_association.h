#pragma once

#include <QString>

class ClassStore;
class MessageBoxes;

// The program's own file type: repaired silently at every start, and on the
// user's request (文件关联) the 18 common media types mapped to it.
class FileAssociation {
public:
  FileAssociation(ClassStore& store, MessageBoxes& messages, QString executablePath);

  // The start-up check. `ScrNor` carries the command read back until the
  // play-state handling takes the flag over.
  void checkFileType(QString& ScrNor);
  void FileReg_Click();

private:
  ClassStore& m_store;
  MessageBoxes& m_messages;
  QString m_executable;
};

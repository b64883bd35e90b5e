#include "shell/file_association.h"

#include "core/message_boxes.h"
#include "shell/mod_find_reg.h"
#include "shell/mod_reg_name.h"

FileAssociation::FileAssociation(ClassStore& store, MessageBoxes& messages, QString executablePath)
    : m_store(store), m_messages(messages), m_executable(std::move(executablePath))
{
}

// Repairs the registration silently after a first start, a move of the
// program or a change by another program.
bool FileAssociation::checkFileType(QString& ScrNor)
{
  ScrNor = ModFindReg::ReadOpenCommand(m_store);
  return ScrNor.isEmpty() || ScrNor != ModRegName::OpenCommand(m_executable);
}

void FileAssociation::repairFileType()
{
  const std::lock_guard lock(m_storeInUse);
  ModRegName::RegisterProgId(m_store, m_executable);
}

void FileAssociation::FileReg_Click()
{
  const QString text = QStringLiteral("是否关联以下常见音视频格式文件？关联后将默认使用Kelvarino进行播放。\n") +
                       ModRegName::ExtensionList();
  if (m_messages.show(MessageBoxes::Icon::None, QStringLiteral("Kelvarino - 文件关联"), text,
                                MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes) {
    const std::lock_guard lock(m_storeInUse);
    ModRegName::AssociateExtensions(m_store);
  }
}

#include "app/media_frm.h"

#include "dialogs/message_boxes.h"
#include "shell/mod_find_reg.h"
#include "shell/mod_reg_name.h"

void MediaFrm::checkFileType()
{
  // Repairs the registration silently after a first start, a move of the
  // program or a change by another program. ScrNor carries the command read
  // back until the play-state handling takes the flag over.
  ScrNor = ModFindReg::ReadOpenCommand(gui().classStore());
  if (ScrNor.isEmpty() || ScrNor != ModRegName::OpenCommand(m_start.executablePath))
    ModRegName::RegisterProgId(gui().classStore(), m_start.executablePath);
}

void MediaFrm::FileReg_Click()
{
  const QString text = QStringLiteral("是否关联以下常见音视频格式文件？关联后将默认使用Kelvarino进行播放。\n") +
                       ModRegName::ExtensionList();
  if (gui().messageBoxes().show(MessageBoxes::Icon::None, QStringLiteral("Kelvarino - 文件关联"), text,
                                MessageBoxes::Buttons::YesNo) == MessageBoxes::Answer::Yes)
    ModRegName::AssociateExtensions(gui().classStore());
}

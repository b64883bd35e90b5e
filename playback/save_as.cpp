#include "playback/save_as.h"

#include "core/media_engine.h"
#include "core/message_boxes.h"
#include "core/web_address.h"
#include "dialogs/mod_api_save.h"
#include "playback/file_copy.h"
#include "shell/mod_open_url.h"

SaveAs::SaveAs(MediaEngine& player, FileDialogs& dialogs, MessageBoxes& messages,
               ProcessLauncher& processes)
    : m_player(player), m_dialogs(dialogs), m_messages(messages), m_processes(processes)
{
}

void SaveAs::mSaveAs_Click()
{
  // The source is read afresh: it is whatever is loaded now.
  const std::optional<MediaItem> item = m_player.currentMedia();
  if (!item)
    return;
  const QString source = item->getItemInfo(QStringLiteral("sourceURL"));
  if (WebAddress::passesSaveAsTest(source)) {
    ModOpenUrl::OpenInBrowser(m_processes, m_messages, source);
    return;
  }
  if (source.isEmpty())
    return;
  const QString destination = ModAPISave::ShowFileDialog(
      m_dialogs, m_messages, QStringLiteral("save"), QStringLiteral("保存文件"),
      source);
  QString error;
  if (!destination.isEmpty() && !copyFileAtomically(source, destination, &error))
    m_messages.show(MessageBoxes::Icon::Error, QStringLiteral("另存为"),
                    QStringLiteral("未能保存副本。\n\n%1").arg(error));
}

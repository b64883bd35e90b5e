#include "dialogs/url_frm.h"

#include "core/message_boxes.h"
#include "core/media_engine.h"
#include "core/playlist_file.h"
#include "presentation/mod_icon.h"
#include <QRegularExpression>

namespace {
// The dialog's big icon is the program's icon at 128 × 128 pixels.
constexpr int BigIconSize = 128;
} // namespace

UrlFrm::UrlFrm(UrlFormView& view, MediaEngine& player, MessageBoxes& messages, QString historyPath)
    : m_view(view), m_player(player), m_messages(messages), m_historyPath(std::move(historyPath))
{
}

void UrlFrm::Show()
{
  Form_Load();
  m_view.showModal(*this);
}

void UrlFrm::Form_Load()
{
  ModIcon::SetFormIcon(m_view, BigIconSize);
  const std::optional<QStringList> history = readPlaylist(m_historyPath);
  m_historyUnreadable = !history;
  if (m_historyUnreadable) {
    m_view.showNotice(QStringLiteral("无法读取地址记录文件，本次不会更改记录。"), m_historyPath);
    return;
  }
  // A missing history is an empty one.
  m_view.clearItems();
  for (const QString& entry : *history)
    m_view.addItem(entry);
}

void UrlFrm::Command1_Click()
{
  // The address goes to the player first, exactly as typed: whatever happens
  // to the history afterwards cannot lose it.
  const QString address = m_view.text();
  m_player.setURL(address);
  QStringList entries = m_view.items();
  if (!entries.contains(address, Qt::CaseSensitive)) {
    m_view.addItem(address);
    entries << address;
    writeHistory(entries);
  }
  m_view.unload();
}

void UrlFrm::Command2_Click()
{
  m_view.unload();
}

void UrlFrm::Command3_Click()
{
  m_view.clearItems();
  // A cleared history is one empty line, which reads back as no entries.
  writeHistory({QString()});
}

void UrlFrm::Combo1_OLEDragDrop(const DropData& data)
{
  if (!data.files.isEmpty())
    m_view.setText(data.files.first());
  else if (!data.text.isEmpty())
    m_view.setText(data.text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0));
}

void UrlFrm::writeHistory(const QStringList& entries)
{
  if (m_historyUnreadable)
    return;
  QString error;
  if (writePlaylist(m_historyPath, entries, &error))
    return;
  m_messages.show(MessageBoxes::Icon::Error, QStringLiteral("Kelvarino"),
                  QStringLiteral("无法写入地址记录文件：\n%1\n\n%2").arg(m_historyPath, error));
}

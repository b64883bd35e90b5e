#include "playback/open_url_command.h"

#include "core/url_form_view.h"
#include "core/program_folder.h"
#include "dialogs/url_frm.h"

OpenUrlCommand::OpenUrlCommand(MediaEngine& player, MessageBoxes& messages, FormFactory createForm,
                               QString programFolder)
    : m_player(player), m_messages(messages), m_createForm(std::move(createForm)),
      m_programFolder(std::move(programFolder))
{
}

QString OpenUrlCommand::urlHistoryPath() const
{
  return joinPath(playlistFolder(m_programFolder), QStringLiteral("URL.m3u"));
}

void OpenUrlCommand::mOpenURL_Click()
{
  // A fresh dialog at every opening; it is discarded when it closes.
  const std::unique_ptr<UrlFormView> view = m_createForm();
  UrlFrm dialog(*view, m_player, m_messages, urlHistoryPath());
  dialog.Show();
}

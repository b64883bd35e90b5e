#include "app/media_frm.h"

#include "app/program_folder.h"
#include "dialogs/url_frm.h"

QString MediaFrm::urlHistoryPath() const
{
  return joinPath(playlistFolder(programFolder()), QStringLiteral("URL.m3u"));
}

void MediaFrm::mOpenURL_Click()
{
  // A fresh dialog at every opening; it is discarded when it closes.
  const std::unique_ptr<UrlFormView> view = gui().createUrlForm();
  UrlFrm dialog(*view, WMP(), gui().messageBoxes(), urlHistoryPath());
  dialog.Show();
}

#include "app/media_frm.h"

#include "dialogs/mod_api_save.h"
#include "playback/file_copy.h"
#include "playback/media_engine.h"
#include "shell/mod_open_url.h"

namespace {

// Only these three spellings of the first two letters count as a web address:
// a source starting "hT" is treated as a file (and then fails to copy).
bool isWebAddress(const QString& source)
{
  const QStringView start = QStringView(source).left(2);
  return start == u"Ht" || start == u"HT" || start == u"ht";
}

} // namespace

void MediaFrm::mSaveAs_Click()
{
  // The source is read afresh: it is whatever is loaded now.
  const std::optional<MediaItem> item = WMP().currentMedia();
  if (!item)
    return;
  const QString source = item->getItemInfo(QStringLiteral("sourceURL"));
  if (isWebAddress(source)) {
    ModOpenUrl::OpenInBrowser(gui().processes(), gui().messageBoxes(), source);
    return;
  }
  if (source.isEmpty())
    return;
  const QString destination = ModAPISave::ShowFileDialog(
      gui().fileDialogs(), gui().messageBoxes(), QStringLiteral("save"), QStringLiteral("保存文件"),
      source);
  // Save As says nothing of its own: a cancelled dialog or a failed copy
  // simply leaves no file.
  if (!destination.isEmpty())
    copyFileAtomically(source, destination);
}

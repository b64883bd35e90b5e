#include "app/media_frm.h"

#include "app/main_window_port.h"
#include "dialogs/message_boxes.h"
#include "playback/media_engine.h"
#include "presentation/mod_topmost.h"

namespace {

// The compact window of an item without a picture.
constexpr Twips AudioWidth = 9165;
constexpr Twips AudioHeight = 2500;

// A local path is captioned by its file name; a URL keeps its whole text, as
// it holds no local path separator.
QString nameOfSource(const QString& source)
{
  if (source.contains(QLatin1String("://")))
    return source;
  return source.mid(source.lastIndexOf(u'/') + 1);
}

} // namespace

void MediaFrm::WMP_PlayStateChange(int NewState)
{
  MainWindowPort& w = window();
  switch (NewState) {
  case PlayState::Playing: {
    // A playing engine without an item has nothing to fit or name.
    if (const std::optional<MediaItem> media = WMP().currentMedia()) {
      if (media->imageSourceWidth != 0 && ScrNor != QLatin1String("1") &&
          w.windowState() == WindowState::Normal) {
        if (menus.checked(MenuItem::mTop))
          ModTOPMOST::SetTopMost(w);
        CallZoom();
        ScrNor = QStringLiteral("1");
        MusNor = QStringLiteral("0");
      } else if (WMP().currentMedia().value_or(MediaItem{}).imageSourceWidth == 0 &&
                 MusNor != QLatin1String("1") && w.windowState() == WindowState::Normal &&
                 w.Height() != AudioHeight) {
        w.setWidth(AudioWidth);
        w.setHeight(AudioHeight);
        w.setTop((w.screenHeight() - w.Height()) / 2);
        w.setLeft((w.screenWidth() - w.Width()) / 2);
        MusNor = QStringLiteral("1");
      }
      const QString source = media->sourceURL;
      if (!source.contains(QLatin1String("http:")))
        w.setCaption(nameOfSource(source));
      else
        w.setCaption(media->getItemInfo(QStringLiteral("Author")) + QStringLiteral(" - ") +
                     media->getItemInfo(QStringLiteral("Title")));
    }
    if (!TSeelp.isActive())
      startKeepAwake();
    if (!TTask.isActive())
      TTask.start();
    break;
  }
  case PlayState::Buffering:
  case PlayState::Transitioning:
    ScrNor = QStringLiteral("0");
    break;
  case PlayState::Ready:
    WMP().play();
    break;
  default:
    stopKeepAwake(NewState);
    if (w.windowState() == WindowState::Normal)
      ModTOPMOST::SetNoTopMost(w);
    break;
  }
}

void MediaFrm::WMP_MouseDown(int nButton, int, float, float)
{
  if (nButton == 2)
    window().popupFileMenu();
}

void MediaFrm::WMP_ListRefused(const QString& list, bool listsItself)
{
  const QString text = listsItself ? QStringLiteral("播放列表“%1”列出了它自己，已跳过这一项。")
                                   : QStringLiteral("播放列表“%1”嵌套太深，已跳过这一项。");
  gui().messageBoxes().show(MessageBoxes::Icon::Warning, QStringLiteral("Kelvarino"),
                            text.arg(list));
}

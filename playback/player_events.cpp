#include "playback/player_events.h"

#include "core/display_name.h"
#include "core/main_window_port.h"
#include "core/media_engine.h"
#include "core/menu_model.h"
#include "core/web_address.h"
#include "presentation/keep_awake.h"
#include "presentation/mod_topmost.h"
#include "presentation/taskbar_progress.h"
#include "presentation/zoom.h"

namespace {

// The compact window of an item without a picture.
constexpr Twips AudioWidth = 9165;
constexpr Twips AudioHeight = 2500;

} // namespace

PlayerEvents::PlayerEvents(MainWindowPort& window, MediaEngine& player, MenuModel& menus,
                           Zoom& zoom, KeepAwake& keepAwake, TaskbarProgress& progress)
    : m_window(window), m_player(player), m_menus(menus), m_zoom(zoom), m_keepAwake(keepAwake),
      m_progress(progress)
{
}

void PlayerEvents::WMP_PlayStateChange(int NewState)
{
  MainWindowPort& w = m_window;
  switch (NewState) {
  case PlayState::Playing: {
    // A playing engine without an item has nothing to fit or name.
    if (const std::optional<MediaItem> media = m_player.currentMedia()) {
      if (media->imageSourceWidth != 0 && ScrNor != QLatin1String("1") &&
          w.windowState() == WindowState::Normal) {
        if (m_menus.checked(MenuItem::mTop))
          ModTOPMOST::SetTopMost(w);
        m_zoom.CallZoom();
        ScrNor = QStringLiteral("1");
        MusNor = QStringLiteral("0");
      } else if (m_player.currentMedia().value_or(MediaItem{}).imageSourceWidth == 0 &&
                 MusNor != QLatin1String("1") && w.windowState() == WindowState::Normal &&
                 w.Height() != AudioHeight) {
        w.setWidth(AudioWidth);
        w.setHeight(AudioHeight);
        centreOnScreen(w);
        MusNor = QStringLiteral("1");
      }
      const QString source = media->sourceURL;
      if (!WebAddress::captionsByTags(source))
        w.setCaption(displayName(source));
      else
        w.setCaption(media->getItemInfo(QStringLiteral("Author")) + QStringLiteral(" - ") +
                     media->getItemInfo(QStringLiteral("Title")));
    }
    if (!m_keepAwake.TSeelp.isActive())
      m_keepAwake.start();
    if (!m_progress.TTask.isActive())
      m_progress.TTask.start();
    break;
  }
  case PlayState::Buffering:
  case PlayState::Transitioning:
    ScrNor = QStringLiteral("0");
    break;
  case PlayState::Ready:
    m_player.play();
    break;
  default:
    m_keepAwake.stop(NewState);
    if (w.windowState() == WindowState::Normal)
      ModTOPMOST::SetNoTopMost(w);
    break;
  }
}

// An item on its way, or one that could not be opened, is named in the
// caption as a playing one would be; its tags are not known yet, so an
// address shows itself.
void PlayerEvents::itemNamed(const QString& source)
{
  m_window.setCaption(displayName(source));
}

void PlayerEvents::WMP_MouseDown(int nButton, int, float, float)
{
  if (nButton == 2)
    m_window.popupFileMenu();
}

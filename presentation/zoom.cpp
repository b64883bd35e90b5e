#include "app/media_frm.h"

#include "app/main_window_port.h"
#include "playback/media_engine.h"

namespace {

// Room of the player's control bar below the picture.
constexpr double ControlBarTwips = 970;

int pictureWidth(const MediaEngine& engine)
{
  return engine.currentMedia().value_or(MediaItem{}).imageSourceWidth;
}

int pictureHeight(const MediaEngine& engine)
{
  return engine.currentMedia().value_or(MediaItem{}).imageSourceHeight;
}

} // namespace

void MediaFrm::mZ1_Click() { selectZoom(MenuItem::mZ1, QStringLiteral("50%")); }
void MediaFrm::mZ2_Click() { selectZoom(MenuItem::mZ2, QStringLiteral("100%")); }
void MediaFrm::mZ3_Click() { selectZoom(MenuItem::mZ3, QStringLiteral("200%")); }
void MediaFrm::mZ4_Click() { selectZoom(MenuItem::mZ4, QStringLiteral("0")); }

void MediaFrm::selectZoom(MenuItem preset, const QString& value)
{
  for (MenuItem item : {MenuItem::mZ1, MenuItem::mZ2, MenuItem::mZ3, MenuItem::mZ4})
    menus.setChecked(item, item == preset);
  WriteIni(QStringLiteral("Option"), QStringLiteral("zoom"), value);
  if (WMP().playState() == PlayState::Playing)
    CallZoom();
}

void MediaFrm::CallZoom()
{
  if (pictureWidth(WMP()) == 0)
    return;
  MainWindowPort& w = window();
  if (w.windowState() != WindowState::Normal)
    return;

  // The frame allowance is measured each time as outer minus client size.
  if (menus.checked(MenuItem::mZ1)) {
    w.setWidth(Twips(pictureWidth(WMP()) / 2.0 * 15 + w.Width() - w.ScaleWidth()));
    w.setHeight(Twips(pictureHeight(WMP()) / 2.0 * 15 + ControlBarTwips + w.Height() -
                      w.ScaleHeight()));
  } else if (menus.checked(MenuItem::mZ2) || menus.checked(MenuItem::mZ3)) {
    const int scale = menus.checked(MenuItem::mZ2) ? 15 : 30;
    w.setWidth(Twips(double(w.Width()) + pictureWidth(WMP()) * scale - w.ScaleWidth()));
    w.setHeight(Twips(double(w.Height()) + (pictureHeight(WMP()) * scale + ControlBarTwips) -
                      w.ScaleHeight()));
  } else {
    return; // the window-size preset leaves the window alone
  }

  w.setTop((w.screenHeight() - w.Height()) / 2);
  w.setLeft((w.screenWidth() - w.Width()) / 2);
}

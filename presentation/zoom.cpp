#include "presentation/zoom.h"

#include "core/main_window_port.h"
#include "core/media_engine.h"
#include "core/menu_model.h"
#include "core/settings.h"
#include "core/twips.h"

namespace {

int pictureWidth(const MediaEngine& engine)
{
  return engine.currentMedia().value_or(MediaItem{}).imageSourceWidth;
}

int pictureHeight(const MediaEngine& engine)
{
  return engine.currentMedia().value_or(MediaItem{}).imageSourceHeight;
}

} // namespace

Zoom::Zoom(MainWindowPort& window, MediaEngine& player, MenuModel& menus, const Settings& settings,
           bool tilingDesktop)
    : m_window(window), m_player(player), m_menus(menus), m_settings(settings),
      m_tiling(tilingDesktop)
{
}

void Zoom::mZ1_Click() { selectZoom(MenuItem::mZ1, QStringLiteral("50%")); }
void Zoom::mZ2_Click() { selectZoom(MenuItem::mZ2, QStringLiteral("100%")); }
void Zoom::mZ3_Click() { selectZoom(MenuItem::mZ3, QStringLiteral("200%")); }
void Zoom::mZ4_Click() { selectZoom(MenuItem::mZ4, QStringLiteral("0")); }

void Zoom::selectZoom(MenuItem preset, const QString& value)
{
  for (MenuItem item : {MenuItem::mZ1, MenuItem::mZ2, MenuItem::mZ3, MenuItem::mZ4})
    m_menus.setChecked(item, item == preset);
  m_settings.WriteIni(Settings::Option, QStringLiteral("zoom"), value);
  if (m_player.playState() == PlayState::Playing)
    CallZoom();
}

bool Zoom::checkStoredPreset()
{
  const QString zoom = m_settings.ReadIni(Settings::Option, QStringLiteral("zoom"));
  MenuItem preset = MenuItem::mZ2; // anything else, "100%" and empty included
  if (zoom == QLatin1String("50%"))
    preset = MenuItem::mZ1;
  else if (zoom == QLatin1String("200%"))
    preset = MenuItem::mZ3;
  else if (zoom == QLatin1String("0"))
    preset = MenuItem::mZ4;
  m_menus.setChecked(preset, true);
  return preset == MenuItem::mZ4;
}

void Zoom::CallZoom()
{
  if (pictureWidth(m_player) == 0)
    return;
  MainWindowPort& w = m_window;
  if (m_tiling || w.windowState() != WindowState::Normal)
    return;

  // The frame allowance is measured each time as outer minus client size.
  if (m_menus.checked(MenuItem::mZ1)) {
    w.setWidth(Twips(pictureWidth(m_player) / 2.0 * TwipsPerPixel + w.Width() - w.ScaleWidth()));
    w.setHeight(Twips(pictureHeight(m_player) / 2.0 * TwipsPerPixel + ControlBarTwips + w.Height() -
                      w.ScaleHeight()));
  } else if (m_menus.checked(MenuItem::mZ2) || m_menus.checked(MenuItem::mZ3)) {
    const int scale = m_menus.checked(MenuItem::mZ2) ? 15 : 30;
    w.setWidth(Twips(double(w.Width()) + pictureWidth(m_player) * scale - w.ScaleWidth()));
    w.setHeight(Twips(double(w.Height()) + (pictureHeight(m_player) * scale + ControlBarTwips) -
                      w.ScaleHeight()));
  } else {
    return; // the window-size preset leaves the window alone
  }

  centreOnScreen(w);
}

#include "presentation/always_on_top.h"

#include "core/media_engine.h"
#include "core/menu_model.h"
#include "core/settings.h"
#include "presentation/mod_topmost.h"

AlwaysOnTop::AlwaysOnTop(MainWindowPort& window, MediaEngine& player, MenuModel& menus,
                         const Settings& settings)
    : m_window(window), m_player(player), m_menus(menus), m_settings(settings)
{
}

void AlwaysOnTop::mTop_Click()
{
  const bool on = m_settings.toggle(m_menus, MenuItem::mTop, QStringLiteral("mTop"));
  if (m_player.playState() != PlayState::Playing)
    return;
  if (on)
    ModTOPMOST::SetTopMost(m_window);
  else
    ModTOPMOST::SetNoTopMost(m_window);
}

void AlwaysOnTop::checkStoredOption()
{
  if (m_settings.isTrue(QStringLiteral("mTop")))
    m_menus.setChecked(MenuItem::mTop, true);
}

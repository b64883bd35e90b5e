#include "playback/play_modes.h"

#include "core/media_engine.h"
#include "core/menu_model.h"
#include "core/settings.h"

namespace {
const QString Loop = QStringLiteral("loop");
const QString Shuffle = QStringLiteral("shuffle");
} // namespace

PlayModes::PlayModes(MediaEngine& player, MenuModel& menus, const Settings& settings)
    : m_player(player), m_menus(menus), m_settings(settings)
{
}

void PlayModes::mReplay_Click()
{
  m_settings.toggle(m_menus, MenuItem::mReplay, QStringLiteral("mReplay"),
                    [this](bool on) { m_player.setMode(Loop, on); });
}

void PlayModes::mRnd_Click()
{
  m_settings.toggle(m_menus, MenuItem::mRnd, QStringLiteral("mRnd"),
                    [this](bool on) { m_player.setMode(Shuffle, on); });
}

void PlayModes::applyStoredModes()
{
  if (m_settings.isTrue(QStringLiteral("mReplay"))) {
    m_menus.setChecked(MenuItem::mReplay, true);
    m_player.setMode(Loop, true);
  }
  if (m_settings.isTrue(QStringLiteral("mRnd"))) {
    m_menus.setChecked(MenuItem::mRnd, true);
    m_player.setMode(Shuffle, true);
  }
}

#include "app/media_frm.h"

#include "playback/media_engine.h"

namespace {

// A mode's check mark is the program's only record of it: the player is never
// asked. The change reaches the player and the settings file at once.
void switchMode(MediaFrm& form, MenuItem item, const QString& mode, const QString& key)
{
  const bool on = !form.menus.checked(item);
  form.WMP().setMode(mode, on);
  form.WriteIni(QStringLiteral("Option"), key, on ? QStringLiteral("True") : QStringLiteral("False"));
  form.menus.setChecked(item, on);
}

} // namespace

void MediaFrm::mReplay_Click()
{
  switchMode(*this, MenuItem::mReplay, QStringLiteral("loop"), QStringLiteral("mReplay"));
}

void MediaFrm::mRnd_Click()
{
  switchMode(*this, MenuItem::mRnd, QStringLiteral("shuffle"), QStringLiteral("mRnd"));
}

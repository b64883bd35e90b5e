#pragma once

#include "playback/list_lineage.h"

#include "playback/load_hook_mpv.h"

#include <QString>
#include <functional>

struct mpv_handle;
struct mpv_event;

// Keeps the player core from expanding a play list into itself or nesting
// lists without end, and from opening a local source that is neither a file
// nor a folder, whose open could wait for ever. It hooks every load on a
// client of its own, answered on its own thread, so a load never waits for
// the GUI thread. `refused` is called on that thread with a list that was not
// opened and why; a refused source that is no file simply fails to load.
class ListGuardMpv {
public:
  using Refused = std::function<void(const QString& list, ListLineage::Verdict why)>;

  ListGuardMpv(mpv_handle* core, Refused refused);

private:
  void take(const mpv_event& event);
  void loading(mpv_handle* client, const QString& source);

  Refused m_refused;
  ListLineage m_lineage; // touched on the hook's thread only
  LoadHookMpv m_hook;    // last: its thread starts once the above is there
};

#pragma once

#include "playback/list_lineage.h"

#include <QString>
#include <atomic>
#include <functional>
#include <thread>

struct mpv_handle;

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
  ~ListGuardMpv();
  ListGuardMpv(const ListGuardMpv&) = delete;
  ListGuardMpv& operator=(const ListGuardMpv&) = delete;

private:
  void run();

  mpv_handle* m_client;
  Refused m_refused;
  ListLineage m_lineage; // touched on the guard's thread only
  std::atomic_bool m_stopping{false};
  std::thread m_thread;
};

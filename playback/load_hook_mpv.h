#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <thread>

struct mpv_handle;
struct mpv_event;

// A hook on every load, on a client of the core of its own and answered on a
// thread of its own: the core waits for the answer, so asking it then is
// quick, and a load never waits for the GUI thread. `loading` runs there with
// the client and the source about to be opened, and may change what is
// opened or its options; `other` sees every other event of the client.
class LoadHookMpv {
public:
  using Loading = std::function<void(mpv_handle* client, const QString& source)>;
  using Other = std::function<void(const mpv_event& event)>;

  LoadHookMpv(mpv_handle* core, const char* name, Loading loading, Other other = {});
  // A load still waiting for the hook goes on once the client is gone.
  ~LoadHookMpv();
  LoadHookMpv(const LoadHookMpv&) = delete;
  LoadHookMpv& operator=(const LoadHookMpv&) = delete;

private:
  void run();

  mpv_handle* m_client;
  Loading m_loading;
  Other m_other;
  std::atomic_bool m_stopping{false};
  std::thread m_thread; // last: it starts once all the above is there
};

#pragma once

#include "core/media_engine.h"
#include "playback/cover_cache.h"

#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

struct mpv_handle;
struct mpv_event;
struct mpv_node;
struct mpv_event_property;

// What the desktop's media widgets show of the item beyond what the engine
// follows itself: its place in the list, and the cover art the core shows
// for it (an attached picture), saved once into the cover cache. It follows
// the core on a client of its own, on its own thread, so that saving a
// picture never holds the GUI thread up; `changed` is called on that thread
// whenever either of them changes.
class ItemDetailsMpv {
public:
  ItemDetailsMpv(mpv_handle* core, std::function<void()> changed,
                 QString coverFolder = CoverCache::defaultFolder());
  ~ItemDetailsMpv();
  ItemDetailsMpv(const ItemDetailsMpv&) = delete;
  ItemDetailsMpv& operator=(const ItemDetailsMpv&) = delete;

  ListPlace listPlace() const;
  // The saved picture of the cover art shown for the item at `path`, the
  // core's path of it; empty when it has none or it is not saved yet.
  QString coverArtFile(const QString& path) const;

private:
  void run();
  void take(const mpv_event& event);
  void placeChanged(uint64_t id, const mpv_event_property& change);
  void playbackRestarted();
  void save(const mpv_node& screenshot);
  void publishCover(const QString& path, const QString& file);

  // A cover larger than this on either side is saved scaled down: media
  // widgets show a few hundred pixels, and a huge one would take long to write.
  static constexpr int LargestSide = 1024;

  mpv_handle* m_client;
  std::function<void()> m_changed;
  CoverCache m_covers;
  std::atomic_bool m_stopping{false};
  // On the thread only: the item started last, counted, and its cover.
  uint64_t m_item = 0;
  bool m_coverAsked = false;
  QString m_path;
  QString m_coverFile;

  mutable std::mutex m_shared; // what the GUI thread reads
  ListPlace m_place;
  QString m_savedPath;
  QString m_savedFile;

  std::thread m_thread; // last: it starts once all the above is there
};

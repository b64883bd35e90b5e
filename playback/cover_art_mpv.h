#pragma once

#include "playback/cover_cache.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <future>

class MpvSession;
struct mpv_node;

// The cover art the core shows for an item (an attached picture), saved once
// into the cover cache for the desktop's media widgets. The picture is asked
// of the core once the item has restarted, so that it is this item's; it is
// written on a thread of its own, and `changed` is told when it is there.
class CoverArtMpv : public QObject {
  Q_OBJECT
public:
  CoverArtMpv(MpvSession& session, std::function<void()> changed,
              QString coverFolder = CoverCache::defaultFolder());
  // Waits for a picture being written.
  ~CoverArtMpv() override;

  // The saved picture of the cover art shown for the item at `path`, the
  // core's path of it; empty when it has none or it is not saved yet.
  QString fileFor(const QString& path) const;

private:
  void restarted();
  void ask(uint64_t item, const QString& path);
  void save(const QString& path, const mpv_node& screenshot);
  void saved(const QString& path, const QString& file);

  // A cover larger than this on either side is saved scaled down: media
  // widgets show a few hundred pixels, and a huge one would take long to write.
  static constexpr int LargestSide = 1024;

  MpvSession& m_session;
  std::function<void()> m_changed;
  CoverCache m_covers;
  uint64_t m_item = 0;    // counts the items started
  bool m_asked = false;   // for the current item
  QString m_savedPath;
  QString m_savedFile;
  std::future<void> m_writing;
};

#pragma once

#include "core/item_failure.h"
#include "playback/playback_failure.h"

#include <QElapsedTimer>
#include <QSet>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class MpvSession;
struct mpv_node;

// Tells which item failed and why. libmpv reports a failure by the item's
// number in its list, which the list then names; what a server said comes in
// the log, which libmpv hands out after the events, so a failure is told
// once the pass over the queue that brought it has ended.
class FailureWatchMpv {
public:
  using Failed = std::function<void(const QString& source, const ItemFailure& failure)>;

  // An address gives up after this many seconds of silence.
  FailureWatchMpv(MpvSession& session, int networkTimeoutSeconds, Failed onFailure);

  // A new URL: lists refused before may be told again.
  void urlSet(const QString& url);
  // The list guard would not open `list`: told once for each URL set.
  void refused(const QString& list, ItemFailure::Cause why);

private:
  void ended(int reason, int error, int64_t entry);
  void failed(int64_t entry, ItemFailure::Cause cause);
  void tell();

  MpvSession& m_session;
  int m_timeoutMs;
  Failed m_failed;
  QString m_url;
  QSet<QString> m_refusedLists;  // told since the URL was set
  int64_t m_expandedList = -1;   // a list expanded and no item started since
  bool m_fileLoaded = false;
  bool m_seekable = false;
  QElapsedTimer m_sinceStartFile;
  PlaybackFailure::ServerLog m_serverLog;
  std::vector<std::pair<QString, ItemFailure>> m_named; // waiting for the log to be read
};

#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <unordered_map>

// Where each entry of the engine's play list came from. The engine expands a
// play list in place into its entries, and an entry that is itself a list
// again; a list that lists itself, directly or through another list, would
// expand for ever. Entries are known by the engine's ids: an entry is started,
// then its source is about to be loaded, and a list entry is then replaced by
// the entries it holds.
class ListLineage {
public:
  // Lists nested deeper than this are not opened.
  static constexpr int MaxDepth = 8;
  enum class Verdict { Load, ListsItself, TooDeep };

  void started(int64_t entry);
  // The verdict on the started entry's source; refused entries are not opened.
  Verdict loading(const QString& source);
  // The list entry was replaced by `count` entries, the first with id `first`
  // (ids of inserted entries follow one another).
  void expanded(int64_t entry, int64_t first, int count);

  // How a source is known: a local file by its canonical path, so that the
  // same list reached through another name or link is still the same list.
  static QString sourceKey(const QString& source);
  // A local source that is there but is neither a file nor a folder (a named
  // pipe, a device, a socket): the core would wait in its open, perhaps for ever.
  static bool isNeitherFileNorFolder(const QString& source);

private:
  struct Origin {
    int depth = 0;
    QStringList lists; // the lists this entry was expanded from, outermost first
    QString key;       // the entry's own source, once it is loading
  };
  std::unordered_map<int64_t, Origin> m_origins;
  int64_t m_current = -1;
};

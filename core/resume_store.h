#pragma once

#include "core/item_choices.h"

#include <QString>
#include <optional>
#include <sys/types.h>
#include <vector>

// Where items were left, in seconds, and what was chosen for them, kept in a
// small file of the user's own: one line per item, "<seconds>\t<key>", with
// "\t<choices>" (ItemChoices::text) after it when something was chosen and
// "-" for the seconds when no position is kept; the most recent first. The key's
// bytes that are not printable ASCII, and '%', are written as %XX, so every
// file name's bytes come back as they were. The file is read on first use and
// again whenever another window has written it; lines that do not read as an
// entry are skipped, and a file too large to be one of ours, or that is no
// regular file, is ignored as a whole: a damaged store forgets, never fails.
// Several windows share the file: each writes only its own changes over what
// the file holds at that moment.
class ResumeStore {
public:
  // The most recent items kept; older ones are dropped on the next write.
  static constexpr int Capacity = 200;
  // Far more than Capacity entries of the longest paths need.
  static constexpr qint64 MaximumFileSize = 4 << 20;

  explicit ResumeStore(QString path) : m_path(std::move(path)) {}

  // `${XDG_STATE_HOME:-~/.local/state}/Kelvarino/positions`.
  static QString defaultPath();

  std::optional<double> position(const QString& key);
  ItemChoices choices(const QString& key);
  // The key becomes the most recent.
  void remember(const QString& key, double seconds);
  // Forgets the position; what was chosen for the item stays.
  void forget(const QString& key);
  // Adds to what was chosen for the item; the key becomes the most recent.
  void choose(const QString& key, const ItemChoices& choices);
  // Reads the file, once; the first of the calls above does it otherwise.
  void load();
  // Under a lock, reads the file afresh, applies the changes made here since
  // the last write over it (in their order), keeps the Capacity most recent
  // and replaces the file atomically; the folder is made when missing. False
  // with `error` in words when the file stayed as it was; the changes are
  // then kept for the next write.
  bool save(QString* error = nullptr);
  // Why a file that is there (a pipe, a folder, a damaged store) was not read
  // the last time, in words for the user; empty when it was read or missing.
  QString readProblem() const;

private:
  struct Entry {
    QString key;
    std::optional<double> seconds;
    ItemChoices choices;
  };
  using Entries = std::vector<Entry>; // the most recent first
  // A position remembered, or without one forgotten; or choices made.
  struct Change {
    QString key;
    bool choosing = false;
    std::optional<double> seconds;
    ItemChoices choices;
  };
  // Tells one version of the file from another.
  struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    qint64 modified = 0; // ns
    bool operator==(const Stamp&) const = default;
  };

  static Stamp stampOf(const QString& path);
  static void apply(Entries& entries, const Change& change);
  static std::optional<Entry> entryOf(const QByteArray& line);
  const Entry* find(const QString& key);
  Entries readFile();
  // The entries as this store sees them now: the file's, with the changes
  // made here since the last write.
  Entries& current();
  void record(const Change& change);

  QString m_path;
  bool m_loaded = false;
  Stamp m_stamp; // the version of the file last read or written
  Entries m_entries;
  std::vector<Change> m_changes; // since the last write, oldest first
  QString m_readProblem;
};

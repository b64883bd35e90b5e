#pragma once

#include <QString>
#include <optional>
#include <vector>

// Where items were left, in seconds, kept in a small file of the user's own:
// one line per item, "<seconds>\t<key>", the most recent first. The key's
// bytes that are not printable ASCII, and '%', are written as %XX, so every
// file name's bytes come back as they were. The file is read on first use;
// lines that do not read as an entry are skipped, and a file too large to be
// one of ours is ignored as a whole: a damaged store forgets, never fails.
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
  // The key becomes the most recent.
  void remember(const QString& key, double seconds);
  void forget(const QString& key);
  // Reads the file, once; the first of the calls above does it otherwise.
  void load();
  // Writes the entries atomically when they changed since the last write, and
  // creates the folder. False with `error` in words when the file stayed as it was.
  bool save(QString* error = nullptr);
  // Why a file that is there (a pipe, a folder, a damaged store) could not be
  // read, in words for the user; empty when it was read or is missing.
  QString readProblem() const;

private:
  struct Entry {
    QString key;
    double seconds;
  };
  std::vector<Entry>::iterator find(const QString& key);

  QString m_path;
  bool m_loaded = false;
  bool m_changed = false;
  std::vector<Entry> m_entries; // the most recent first
  QString m_readProblem;
};

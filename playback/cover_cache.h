#pragma once

#include "core/atomic_file.h"

#include <QString>

// The cover art of items played, saved as pictures for the desktop's media
// widgets: one PNG for each item in `${XDG_CACHE_HOME:-~/.cache}/Kelvarino/covers`,
// named after the item so that it is written once. The newest `Kept` stay.
class CoverCache {
public:
  static constexpr int Kept = 200;

  explicit CoverCache(QString folder) : m_folder(std::move(folder)) {}
  static QString defaultFolder();

  // The picture's file for the item at `source`: a hash of its canonical path,
  // size and time of change (an edited file gets a picture of its own), or of
  // the address of a stream.
  QString fileFor(const QString& source) const;
  // Whether the item's picture is there; one that is counts as new again.
  bool has(const QString& file) const;
  // Writes the picture atomically, creating the folder, and removes the
  // oldest beyond Kept. False, with `error` in words, when it was not written.
  bool store(const QString& file, const ContentWriter& picture, QString* error = nullptr) const;

private:
  QString m_folder;
};

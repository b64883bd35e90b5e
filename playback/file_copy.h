#pragma once

#include <QString>

// Copies the regular file `source` to `destination`, replacing an existing
// destination whole or not at all: the bytes go to a temporary file in the
// destination's folder, reach the disk and are renamed over it, so a failed
// copy leaves no partial file. When `destination` is `source` itself (another
// spelling of its path, a symbolic or a hard link) it holds the bytes already
// and nothing is written. Returns false, with `error` in words naming the file
// when given, when the destination did not get the source's bytes. Names keep
// their bytes (file_name_bytes.h).
bool copyFileAtomically(const QString& source, const QString& destination, QString* error = nullptr);

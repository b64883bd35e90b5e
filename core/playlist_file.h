#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The play list file: one full path or URL per line, exactly as given, CR LF
// after every line (the last included), no header, the locale's encoding, no
// byte-order mark. default.m3u and the address history URL.m3u share it.
// A file name keeps its bytes, UTF-8 or not (see file_name_bytes.h).
QByteArray playlistBytes(const QStringList& entries);

// An entry holding CR or LF would become two lines, two other entries.
bool playlistCanHold(const QString& entry);

// Writes the list atomically; false (with `error` in words) when it cannot.
bool writePlaylist(const QString& path, const QStringList& entries, QString* error = nullptr);

// The non-empty lines of a play list file's bytes; a line ends at CR, LF or
// CR LF. Entries without CR or LF come back as playlistBytes wrote them.
QStringList parsePlaylist(const QByteArray& bytes);

// parsePlaylist of the file at `path`; no file there is an empty list.
// Nothing when something is there that cannot be read whole as a file (no
// permission, a folder, a pipe, a read error): it is not an empty list, and
// must not be replaced as if it were one.
std::optional<QStringList> readPlaylist(const QString& path);

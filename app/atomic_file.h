#pragma once

#include <QByteArray>
#include <QString>

// Replaces `path` with `content` as a whole or not at all: the bytes go to a
// temporary file in the same folder, are flushed to disk and renamed over the
// target. On failure the old file is left as it was, the temporary file is
// removed and `error` (when given) says why in words for the user. The folder
// must exist: creating it is the caller's decision.
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error = nullptr);

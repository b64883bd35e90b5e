#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// Replaces `path` with `content` as a whole or not at all: the bytes go to a
// temporary file in the same folder, are flushed to disk and renamed over the
// target. On failure the old file is left as it was, the temporary file is
// removed and `error` (when given) says why in words for the user. The folder
// must exist: creating it is the caller's decision. A writer killed before
// its rename leaves its temporary behind; the next write of the same file
// removes it, and never one that a live writer is still filling.
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* error = nullptr);

// The same for content too large to hold in memory: `produce` writes it into
// the temporary file. When it returns false (with `reason` in words, or empty
// to use the device's own error) nothing replaces the target.
using ContentWriter = std::function<bool(QIODevice& out, QString* reason)>;
bool writeFileAtomically(const QString& path, const ContentWriter& produce, QString* error = nullptr);

#pragma once

#include <QString>

// The user's private runtime folder ($XDG_RUNTIME_DIR, made and checked by
// Qt: owned by the user, mode 0700), or empty when there is no such folder.
QString privateRuntimeFolder();

// The lock file that serialises every writer of `file`. It lives in the
// runtime folder, named after the file's canonical path, so that processes
// that name the file from other working folders or through links take the
// same lock and the user's folders hold no lock files. Without a runtime
// folder it is "<file>.lock" beside the file.
QString lockPathFor(const QString& file);

#pragma once

#include <QString>

// The command a second start sends to the first instance: "nor" for an empty
// command-line tail, otherwise the tail as received. One mend: a relative path
// that names an existing file in the sender's working folder is sent as an
// absolute path (quoted when the tail was quoted), because the first instance
// has another working folder and would open the wrong file, or none.
QString handOffCommand(const QString& commandTail, const QString& workingFolder);

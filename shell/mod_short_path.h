#pragma once

#include <QString>

namespace ModShortPath {
// The short form of a path. Linux volumes have no short names: the path comes
// back unchanged.
QString GetShortPath(const QString& path);
} // namespace ModShortPath

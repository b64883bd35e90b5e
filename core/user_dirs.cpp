#include "core/user_dirs.h"

#include "core/file_name_bytes.h"
#include "core/regular_file.h"
#include <QDir>
#include <optional>

namespace UserDirs {

namespace {

// A real file of this kind holds a dozen short lines.
constexpr qint64 LargestFile = 64 << 10;

// The value between the quotes, with the backslash escapes the format allows.
std::optional<QByteArray> quoted(const QByteArray& value)
{
  if (value.size() < 2 || !value.startsWith('"') || !value.endsWith('"'))
    return std::nullopt;
  QByteArray out;
  for (qsizetype i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size())
      ++i;
    else if (value[i] == '"')
      return std::nullopt;
    out += value[i];
  }
  return out;
}

} // namespace

QString folderIn(const QByteArray& text, const QByteArray& variable, const QString& home)
{
  QString found;
  for (QByteArray line : text.split('\n')) {
    line = line.trimmed();
    if (!line.startsWith(variable + '='))
      continue;
    const std::optional<QByteArray> value = quoted(line.sliced(variable.size() + 1));
    if (!value)
      continue;
    // Only "$HOME/…" and absolute paths are allowed; the last valid line counts.
    if (*value == "$HOME" || value->startsWith("$HOME/"))
      found = QDir::cleanPath(home + decodeFileName(value->sliced(5)));
    else if (value->startsWith('/'))
      found = QDir::cleanPath(decodeFileName(*value));
  }
  return found;
}

QString pictures()
{
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (!QDir::isAbsolutePath(config))
    config = QDir::homePath() + QStringLiteral("/.config");
  const FileRead file = readRegularFile(config + QStringLiteral("/user-dirs.dirs"), LargestFile);
  if (file.status == FileRead::Status::Read) {
    const QString folder = folderIn(file.bytes, "XDG_PICTURES_DIR", QDir::homePath());
    if (!folder.isEmpty())
      return folder;
  }
  return QDir::homePath() + QStringLiteral("/Pictures");
}

} // namespace UserDirs

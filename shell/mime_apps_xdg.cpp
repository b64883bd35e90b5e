#include "shell/mime_apps_xdg.h"

#include <QList>

namespace {

const QByteArray Group = "[Default Applications]";

// Lines with their endings, so that joining them gives the file back.
QList<QByteArray> linesOf(const QByteArray& bytes)
{
  QList<QByteArray> lines;
  qsizetype start = 0;
  while (start < bytes.size()) {
    const qsizetype end = bytes.indexOf('\n', start);
    const qsizetype next = end < 0 ? bytes.size() : end + 1;
    lines << bytes.sliced(start, next - start);
    start = next;
  }
  return lines;
}

QByteArray keyOf(const QByteArray& line)
{
  const qsizetype equals = line.indexOf('=');
  return equals < 0 ? QByteArray() : line.first(equals).trimmed();
}

bool isGroupHeader(const QByteArray& line)
{
  return line.trimmed().startsWith('[');
}

// [first, end) of the first "[Default Applications]" group's key lines;
// first == -1 when there is none.
std::pair<qsizetype, qsizetype> groupRange(const QList<QByteArray>& lines)
{
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() != Group)
      continue;
    qsizetype end = i + 1;
    while (end < lines.size() && !isGroupHeader(lines[end]))
      ++end;
    return {i + 1, end};
  }
  return {-1, -1};
}

} // namespace

QByteArray withDefaultApplication(const QByteArray& mimeApps, const QStringList& types,
                                  const QString& desktopId)
{
  QList<QByteArray> lines = linesOf(mimeApps);
  auto [first, end] = groupRange(lines);
  if (first < 0) {
    if (!lines.isEmpty() && !lines.last().endsWith('\n'))
      lines.last() += '\n';
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
      lines << "\n";
    lines << Group + '\n';
    first = end = lines.size();
  }
  for (const QString& type : types) {
    const QByteArray key = type.toUtf8();
    const QByteArray line = key + '=' + desktopId.toUtf8() + ";\n";
    qsizetype found = -1;
    for (qsizetype i = first; i < end; ++i) {
      if (keyOf(lines[i]) != key)
        continue;
      if (found < 0) {
        found = i;
        lines[i] = line;
      } else {
        lines.removeAt(i--);
        --end;
      }
    }
    if (found >= 0)
      continue;
    // After the group's last key, before the blank lines that end it.
    qsizetype at = end;
    while (at > first && lines[at - 1].trimmed().isEmpty())
      --at;
    if (at > 0 && !lines[at - 1].endsWith('\n'))
      lines[at - 1] += '\n';
    lines.insert(at, line);
    ++end;
  }
  return lines.join();
}


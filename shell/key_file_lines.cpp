#include "shell/key_file_lines.h"

namespace KeyFileLines {

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
  return equals <= 0 ? QByteArray() : line.first(equals).trimmed();
}

std::pair<qsizetype, qsizetype> groupRange(const QList<QByteArray>& lines, const QByteArray& header)
{
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() != header)
      continue;
    qsizetype end = i + 1;
    while (end < lines.size() && !lines[end].trimmed().startsWith('['))
      ++end;
    return {i + 1, end};
  }
  return {-1, -1};
}

void insertInGroup(QList<QByteArray>& lines, qsizetype first, qsizetype& end, const QByteArray& line)
{
  qsizetype at = end;
  while (at > first && lines[at - 1].trimmed().isEmpty())
    --at;
  if (at > 0 && !lines[at - 1].endsWith('\n'))
    lines[at - 1] += '\n';
  lines.insert(at, line);
  ++end;
}

} // namespace KeyFileLines

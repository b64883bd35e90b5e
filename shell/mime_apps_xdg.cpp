#include "shell/mime_apps_xdg.h"

#include "shell/key_file_lines.h"
#include <QList>

namespace {

const QByteArray Group = "[Default Applications]";

} // namespace

QByteArray withDefaultApplication(const QByteArray& mimeApps, const QStringList& types,
                                  const QString& desktopId)
{
  using namespace KeyFileLines;
  QList<QByteArray> lines = linesOf(mimeApps);
  auto [first, end] = groupRange(lines, Group);
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
    if (found < 0)
      insertInGroup(lines, first, end, line);
  }
  return lines.join();
}


#include "shell/desktop_entry_xdg.h"

#include "shell/key_file_lines.h"

namespace DesktopEntry {

namespace {

const QString FileArgument = QStringLiteral("%1");
// The open command's file: every file of a selection, so that a file manager
// starts one process for all of them rather than one process for each.
const QString FilesCode = QStringLiteral("%F");

bool isReserved(QChar c)
{
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  return reserved.contains(c);
}

QString quoteArgument(const QString& argument)
{
  QString literal = argument;
  literal.replace(u'%', QStringLiteral("%%"));
  if (std::none_of(literal.begin(), literal.end(), isReserved))
    return literal;
  QString quoted = QStringLiteral("\"");
  for (QChar c : literal) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
      quoted += u'\\';
    quoted += c;
  }
  return quoted + u'"';
}

// The open command's arguments, each in double quotes. The designed form (a
// program and "%1") is recognised whole, so that a program path holding a
// double quote survives; anything else is split at spaces outside quotes.
QStringList splitOpenCommand(const QString& command)
{
  const QString suffix = QStringLiteral("\" \"%1\"");
  if (command.size() > suffix.size() && command.startsWith(u'"') && command.endsWith(suffix))
    return {command.sliced(1, command.size() - 1 - suffix.size()), FileArgument};
  QStringList arguments;
  QString current;
  bool quoted = false, inArgument = false;
  for (QChar c : command) {
    if (c == u'"') {
      quoted = !quoted;
      inArgument = true;
    } else if (c == u' ' && !quoted) {
      if (inArgument)
        arguments << current;
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument)
    arguments << current;
  return arguments;
}

struct ExecArgument {
  QString text;
  bool files = false; // %F standing alone
};

QList<ExecArgument> splitExec(const QString& exec)
{
  QList<ExecArgument> arguments;
  QString current;
  bool inArgument = false, quoted = false, hadQuotes = false;
  const auto finish = [&] {
    if (!inArgument)
      return;
    // Another field code (%f, %u, %U) stays as it is written: it reads back
    // as no open command of ours, and the start-up check replaces it.
    static const QStringList fieldCodes{"%f", "%F", "%u", "%U"};
    const bool code = !hadQuotes && fieldCodes.contains(current);
    if (!code)
      current.replace(QStringLiteral("%%"), QStringLiteral("%"));
    arguments.append({current, code && current == FilesCode});
    current.clear();
    inArgument = hadQuotes = false;
  };
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (quoted) {
      if (c == u'\\' && i + 1 < exec.size() && QStringLiteral("\"`$\\").contains(exec[i + 1]))
        current += exec[++i];
      else if (c == u'"')
        quoted = false;
      else
        current += c;
    } else if (c == u' ' || c == u'\t' || c == u'\n') {
      finish();
    } else if (c == u'"') {
      quoted = hadQuotes = inArgument = true;
    } else {
      current += c;
      inArgument = true;
    }
  }
  finish();
  return arguments;
}

} // namespace

QString execFromOpenCommand(const QString& openCommand)
{
  QStringList parts;
  for (const QString& argument : splitOpenCommand(openCommand))
    parts << (argument == FileArgument ? FilesCode : quoteArgument(argument));
  return parts.join(u' ');
}

QString openCommandFromExec(const QString& exec)
{
  QStringList parts;
  for (const ExecArgument& argument : splitExec(exec))
    parts << u'"' + (argument.files ? FileArgument : argument.text) + u'"';
  return parts.join(u' ');
}

QString escapeValue(const QString& value)
{
  QString escaped;
  for (QChar c : value) {
    switch (c.unicode()) {
    case '\\': escaped += QStringLiteral("\\\\"); break;
    case '\n': escaped += QStringLiteral("\\n"); break;
    case '\t': escaped += QStringLiteral("\\t"); break;
    case '\r': escaped += QStringLiteral("\\r"); break;
    default: escaped += c;
    }
  }
  if (escaped.startsWith(u' '))
    escaped.replace(0, 1, QStringLiteral("\\s"));
  return escaped;
}

QString unescapeValue(const QString& raw)
{
  QString value;
  for (qsizetype i = 0; i < raw.size(); ++i) {
    if (raw[i] != u'\\' || i + 1 == raw.size()) {
      value += raw[i];
      continue;
    }
    switch (raw[i + 1].unicode()) {
    case 's': value += u' '; break;
    case 'n': value += u'\n'; break;
    case 't': value += u'\t'; break;
    case 'r': value += u'\r'; break;
    case '\\': value += u'\\'; break;
    default: value += raw[i]; continue; // not an escape: keep the backslash
    }
    ++i;
  }
  return value;
}

QList<std::pair<QString, QString>> readGroup(const QByteArray& content)
{
  QList<std::pair<QString, QString>> entries;
  bool inGroup = false, seenGroup = false;
  for (const QByteArray& rawLine : content.split('\n')) {
    const QString line = QString::fromUtf8(rawLine).trimmed();
    if (line.startsWith(u'[')) {
      // Only the first "[Desktop Entry]" group counts.
      inGroup = !seenGroup && line == QLatin1String("[Desktop Entry]");
      seenGroup = seenGroup || inGroup;
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (!inGroup || line.startsWith(u'#') || equals <= 0)
      continue;
    const QString key = line.first(equals).trimmed();
    if (std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; }))
      continue;
    entries.append({key, unescapeValue(line.sliced(equals + 1).trimmed())});
  }
  return entries;
}

QByteArray withValues(const QByteArray& content, const QList<std::pair<QString, QString>>& values)
{
  using namespace KeyFileLines;
  QList<QByteArray> lines = linesOf(content);
  auto [first, end] = groupRange(lines, "[Desktop Entry]");
  if (first < 0)
    return content;
  for (const auto& [key, value] : values) {
    const QByteArray line = (key + u'=' + escapeValue(value)).toUtf8() + '\n';
    const auto found = std::find_if(lines.begin() + first, lines.begin() + end,
                                    [&](const QByteArray& l) { return keyOf(l) == key.toUtf8(); });
    if (found != lines.begin() + end)
      *found = line;
    else
      insertInGroup(lines, first, end, line);
  }
  return lines.join();
}

} // namespace DesktopEntry

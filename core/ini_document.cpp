#include "core/ini_document.h"

#include <QList>

namespace IniDocument {
namespace {

// Editors that save as UTF-8 often start the file with a byte-order mark; it
// belongs to the file, not to its first line.
constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

QByteArrayView withoutByteOrderMark(QByteArrayView text)
{
  return text.startsWith(ByteOrderMark) ? text.sliced(ByteOrderMark.size()) : text;
}

bool isBlank(char c)
{
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView s)
{
  while (!s.isEmpty() && isBlank(s.front()))
    s = s.sliced(1);
  while (!s.isEmpty() && isBlank(s.back()))
    s.chop(1);
  return s;
}

char asciiLower(char c)
{
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Only ASCII letters fold: bytes above 127 belong to multi-byte characters.
bool sameName(QByteArrayView a, QByteArrayView b)
{
  if (a.size() != b.size())
    return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i]))
      return false;
  }
  return true;
}

QList<QByteArrayView> splitLines(QByteArrayView text)
{
  QList<QByteArrayView> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n')
      continue;
    lines.append(text.sliced(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  if (start < text.size())
    lines.append(text.sliced(start));
  return lines;
}

std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
  const QByteArrayView t = trimmed(line);
  const qsizetype close = t.indexOf(']');
  if (!t.startsWith('[') || close < 0)
    return std::nullopt;
  return trimmed(t.sliced(1, close - 1));
}

struct KeyLine {
  QByteArrayView key;
  QByteArrayView value;
};

std::optional<KeyLine> keyLine(QByteArrayView line)
{
  const qsizetype equals = line.indexOf('=');
  if (equals < 0 || sectionName(line))
    return std::nullopt;
  return KeyLine{trimmed(line.first(equals)), trimmed(line.sliced(equals + 1))};
}

QByteArrayView unquoted(QByteArrayView value)
{
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.sliced(1, value.size() - 2);
  return value;
}

bool isWritableName(QByteArrayView name)
{
  if (name.isEmpty())
    return false;
  for (char c : name) {
    if (c == '[' || c == ']' || c == '=' || c == '\r' || c == '\n')
      return false;
  }
  return true;
}

// Where the first section named `section` starts (its header line) and ends
// (the next header line, or the end).
struct SectionSpan {
  qsizetype header = -1;
  qsizetype end = -1;
};

SectionSpan findSection(const QList<QByteArrayView>& lines, QByteArrayView section)
{
  SectionSpan span;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const auto name = sectionName(lines[i]);
    if (!name)
      continue;
    if (span.header >= 0) {
      span.end = i;
      return span;
    }
    if (sameName(*name, section))
      span.header = i;
  }
  if (span.header >= 0)
    span.end = lines.size();
  return span;
}

QByteArray joined(QByteArrayView mark, const QList<QByteArrayView>& lines)
{
  QByteArray out = mark.toByteArray();
  for (QByteArrayView line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

} // namespace

std::optional<QByteArray> value(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
  const QList<QByteArrayView> lines = splitLines(withoutByteOrderMark(text));
  const SectionSpan span = findSection(lines, trimmed(section));
  for (qsizetype i = span.header + 1; i < span.end; ++i) {
    const auto line = keyLine(lines[i]);
    if (line && sameName(line->key, trimmed(key)))
      return unquoted(line->value).toByteArray();
  }
  return std::nullopt;
}

std::optional<QByteArray> withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                                    QByteArrayView value)
{
  section = trimmed(section);
  key = trimmed(key);
  if (!isWritableName(section) || !isWritableName(key))
    return std::nullopt;
  const QByteArray oneLineValue = value.toByteArray().replace('\r', ' ').replace('\n', ' ');

  const QByteArrayView body = withoutByteOrderMark(text);
  const QByteArrayView mark = text.first(text.size() - body.size());
  QList<QByteArrayView> lines = splitLines(body);
  const SectionSpan span = findSection(lines, section);
  if (span.header < 0) {
    if (!lines.isEmpty() && !trimmed(lines.last()).isEmpty())
      lines.append(QByteArrayView());
    const QByteArray header = '[' + section.toByteArray() + ']';
    const QByteArray line = key.toByteArray() + '=' + oneLineValue;
    lines.append(header);
    lines.append(line);
    return joined(mark, lines);
  }

  qsizetype lastNonBlank = span.header;
  for (qsizetype i = span.header + 1; i < span.end; ++i) {
    const auto existing = keyLine(lines[i]);
    if (existing && sameName(existing->key, key)) {
      const QByteArray line = existing->key.toByteArray() + '=' + oneLineValue;
      lines[i] = line;
      return joined(mark, lines);
    }
    if (!trimmed(lines[i]).isEmpty())
      lastNonBlank = i;
  }
  const QByteArray line = key.toByteArray() + '=' + oneLineValue;
  lines.insert(lastNonBlank + 1, line);
  return joined(mark, lines);
}

} // namespace IniDocument

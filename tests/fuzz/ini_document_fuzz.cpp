// The settings file's parser and editor on any bytes, with names and a value
// of any bytes too.
#include "core/ini_document.h"
#include "tests/fuzz/invariant.h"
#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool isBlank(char c)
{
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArray trimmed(QByteArray s)
{
  while (!s.isEmpty() && isBlank(s.front()))
    s.remove(0, 1);
  while (!s.isEmpty() && isBlank(s.back()))
    s.chop(1);
  return s;
}

// A name the editor must accept: one that reads back as itself.
bool isWritableName(const QByteArray& name)
{
  const QByteArray t = trimmed(name);
  return !t.isEmpty() && !t.contains('[') && !t.contains(']') && !t.contains('=') && !t.contains('\r')
         && !t.contains('\n');
}

// What reading gives back for a written value: one line, trimmed, without one
// pair of outer quotes.
QByteArray readBack(QByteArray value)
{
  value = trimmed(value.replace('\r', ' ').replace('\n', ' '));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.mid(1, value.size() - 2);
  return value;
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
  return trimmed(a).compare(trimmed(b), Qt::CaseInsensitive) == 0;
}

QByteArray bytes(const std::string& s)
{
  return QByteArray::fromStdString(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  FuzzedDataProvider in(data, size);
  const QByteArray section = bytes(in.ConsumeRandomLengthString(24));
  const QByteArray key = bytes(in.ConsumeRandomLengthString(24));
  const QByteArray otherKey = bytes(in.ConsumeRandomLengthString(24));
  const QByteArray value = bytes(in.ConsumeRandomLengthString(64));
  const QByteArray text = bytes(in.ConsumeRemainingBytesAsString());

  (void)IniDocument::value(text, section, key);
  const auto edited = IniDocument::withValue(text, section, key, value);
  require(edited.has_value() == (isWritableName(section) && isWritableName(key)),
          "withValue refuses exactly the names that could not be read back");
  if (!edited)
    return 0;
  require(edited->endsWith("\r\n"), "every line of an edited file ends in CR LF");
  require(IniDocument::value(*edited, section, key) == readBack(value), "a written value reads back");
  require(IniDocument::withValue(*edited, section, key, value) == edited,
          "writing the same value again changes nothing");
  if (!sameName(otherKey, key))
    require(IniDocument::value(*edited, section, otherKey) == IniDocument::value(text, section, otherKey),
            "the section's other keys keep their values");
  return 0;
}

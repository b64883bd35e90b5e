#include "shell/mod_find_reg.h"

#include "core/class_store.h"

namespace {

constexpr qsizetype BufferBytes = 256;

// What fits the buffer with its terminating NUL, cut where a character starts
// so that the text stays readable.
QString throughBuffer(const QString& value)
{
  const QByteArray bytes = value.toLocal8Bit();
  if (bytes.size() < BufferBytes)
    return value;
  QString fitting = QString::fromLocal8Bit(bytes.first(BufferBytes - 1));
  if (fitting.endsWith(QChar::ReplacementCharacter))
    fitting.chop(1);
  return fitting;
}

} // namespace

QString ModFindReg::ReadOpenCommand(ClassStore& store)
{
  QString value;
  if (!store.readDefault(QStringLiteral("Kelvarino\\Shell\\open\\Command"), &value))
    return {};
  return throughBuffer(value);
}

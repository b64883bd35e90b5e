#include "app/instance_protocol.h"

#include "core/file_name_bytes.h"

namespace InstanceProtocol {

QByteArray encode(const QString& command)
{
  const QByteArray text = encodeFileName(command);
  if (text.size() > MaxCommandBytes)
    return {};
  const quint32 n = quint32(text.size());
  QByteArray bytes;
  bytes.reserve(HeaderBytes + text.size());
  bytes.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
  return bytes + text;
}

Decoded decode(QByteArrayView received)
{
  using Status = Decoded::Status;
  if (received.size() < HeaderBytes)
    return {};
  const auto byte = [&](int i) { return quint32(quint8(received[i])); };
  const quint32 length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
  if (length > quint32(MaxCommandBytes))
    return {Status::Rejected, {}};
  const qsizetype total = HeaderBytes + qsizetype(length);
  if (received.size() < total)
    return {};
  if (received.size() > total)
    return {Status::Rejected, {}};
  // A leading byte-order mark is part of the text, as every other character.
  return {Status::Complete, decodeFileName(received.sliced(HeaderBytes))};
}

} // namespace InstanceProtocol

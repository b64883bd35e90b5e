// The first instance's decoding of whatever arrives on its socket.
#include "core/file_name_bytes.h"
#include "app/instance_protocol.h"
#include "tests/fuzz/invariant.h"

using InstanceProtocol::decode;
using InstanceProtocol::encode;
using Status = InstanceProtocol::Decoded::Status;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const QByteArrayView received(reinterpret_cast<const char*>(data), qsizetype(size));
  const InstanceProtocol::Decoded decoded = decode(received);
  if (decoded.status == Status::Complete) {
    require(encode(decoded.command) == received, "a command is decoded only from its exact encoding");
    require(decode(received.first(received.size() - 1)).status == Status::Incomplete,
            "a command cut short waits for the rest");
  }

  // The same bytes framed as a command: taken whatever they are, byte for byte.
  if (received.size() <= InstanceProtocol::MaxCommandBytes) {
    const quint32 n = quint32(received.size());
    QByteArray framed;
    framed.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    framed.append(received);
    const InstanceProtocol::Decoded text = decode(framed);
    require(text.status == Status::Complete, "a whole frame is a command");
    require(encodeFileName(text.command) == received, "a command's text is its bytes, not a repaired copy");
  }

  // Any text that fits goes through whole.
  const QString text = QString::fromUtf8(received);
  const QByteArray sent = encode(text);
  if (!sent.isEmpty()) {
    const InstanceProtocol::Decoded back = decode(sent);
    require(back.status == Status::Complete && back.command == text, "an encoded command decodes to itself");
  }
  return 0;
}

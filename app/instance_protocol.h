#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// What travels between a second start and the first instance: one command per
// connection, as a 4-byte big-endian length followed by that many bytes of
// text, answered with one acknowledgement byte. The text is UTF-8 except that
// a file name's bytes go as they are (see file_name_bytes.h), so a name that
// is not UTF-8 reaches the first instance unchanged.
namespace InstanceProtocol {

inline constexpr qsizetype MaxCommandBytes = 64 * 1024;
inline constexpr qsizetype HeaderBytes = 4;
inline constexpr char Acknowledgement = '\x06';

// The bytes to send; empty when the command is longer than MaxCommandBytes
// (a cut command would name another file).
QByteArray encode(const QString& command);

struct Decoded {
  enum class Status {
    Incomplete, // wait for more bytes
    Complete,   // `command` holds the text
    Rejected,   // never a command: drop the connection
  };
  Status status = Status::Incomplete;
  QString command;
};

// Looks at everything received so far on one connection. Anything that is not
// exactly one well-formed command is rejected as early as the bytes show it:
// a length over the limit, bytes after the command.
Decoded decode(QByteArrayView received);

} // namespace InstanceProtocol

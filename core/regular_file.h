#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the program keeps must never wait: the open of a named pipe
// waits for a writer, and a device or a socket may never end a read. Only
// regular files (symbolic links followed) are opened; anything else is refused
// before a byte is read. Names keep their bytes (file_name_bytes.h).
struct FileRead {
  enum class Status { Read, Missing, NotAFile, TooLarge, Failed };

  Status status = Status::Missing;
  QByteArray bytes; // all of the file when Read
  int error = 0;    // errno when Failed

  // What kept the file from being read, in words for the user ("不是普通文件").
  QString reason() const;
};

// An open descriptor of the regular file at `path`, for reading, blocking and
// close-on-exec; with `create`, a missing file is made empty first. -1 when
// there is none, with `refusal` saying why (Status::Read never).
int openRegularFile(const QString& path, FileRead* refusal, bool create = false);

// The whole regular file at `path`; one longer than `maxBytes` (when given)
// is TooLarge and not held in memory.
FileRead readRegularFile(const QString& path, qint64 maxBytes = -1);

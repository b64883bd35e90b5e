#pragma once

#include "core/item_failure.h"

#include <QList>
#include <QString>
#include <utility>

// The line the picture shows when an item cannot be opened or played: the
// item's name and why, in a few words. The control shows no dialog for it.
namespace PlaybackFailure {

using Cause = ItemFailure::Cause;
using Network = ItemFailure::Network;

// What the item is, looked at on the local file system when it is a file.
struct Source {
  bool address = false;  // a web address, not a local file
  bool exists = false;
  bool readable = false;
  bool folder = false;
  bool special = false;  // neither a file nor a folder: a named pipe, a device
  bool list = false;     // named as a play list (.m3u)
  Network network;       // for an address
};

Source inspect(const QString& source);

// What the engine's log says of the addresses it failed to open. The engine
// logs why ("http: HTTP error 404 Not Found"), then which address it was
// ("Failed to open http://host/a.mp4.").
class ServerLog {
public:
  // One line of the log, with the part of the engine that wrote it.
  void read(const QString& part, const QString& line);
  // What was said of `source` before it failed to open; forgotten once taken.
  Network take(const QString& source);

private:
  static constexpr int Remembered = 16;
  Network m_pending;
  QList<std::pair<QString, Network>> m_said; // newest last
};

QString reason(Cause cause, const Source& source);
// The whole line for a failure of `source`, looked at now.
QString lineFor(const QString& source, const ItemFailure& failure);
// "无法播放 “name”：reason", the name kept on one line and apart from our words.
QString line(const QString& name, const QString& reason);
// "正在打开 “name”…", while an item takes its time to open.
QString openingLine(const QString& name);

} // namespace PlaybackFailure

#pragma once

#include <QList>
#include <QString>
#include <utility>

// The line the picture shows when an item cannot be opened or played: the
// item's name and why, in a few words. The control shows no dialog for it.
namespace PlaybackFailure {

// Why the engine gave up on an item, as far as it tells.
enum class Cause {
  LoadingFailed,  // could not be read or reached
  UnknownFormat,  // read, but not a format the engine knows
  NothingToPlay,  // opened, but held no sound or picture to play
  OutputFailed,   // no device to play the sound or show the picture on
  ListsItself,    // a play list entry that is one of the lists it came from
  NestedTooDeep,  // a play list entry nested in too many lists
  Other,
};

// What an address's server said, or failed to say, while the item was opened.
struct Network {
  int httpStatus = 0;      // an HTTP error status, 0 for none
  bool hostUnknown = false;
  bool refused = false;    // nobody listens there
  bool noAnswer = false;   // the server stayed silent until the engine gave up
  bool cannotSeek = false; // it sends the file only from its start
};

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
// "无法播放 “name”：reason", the name kept on one line and apart from our words.
QString line(const QString& name, const QString& reason);
// "正在打开 “name”…", while an item takes its time to open.
QString openingLine(const QString& name);

} // namespace PlaybackFailure

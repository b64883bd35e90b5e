#pragma once

#include <QString>

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

// What the item is, looked at on the local file system when it is a file.
struct Source {
  bool address = false;  // a web address, not a local file
  bool exists = false;
  bool readable = false;
  bool folder = false;
  bool special = false;  // neither a file nor a folder: a named pipe, a device
  bool list = false;     // named as a play list (.m3u)
};

Source inspect(const QString& source);

// The file's name without its folders, or the address as it is.
QString displayName(const QString& source);
QString reason(Cause cause, const Source& source);
// "无法播放 “name”：reason".
QString line(const QString& name, const QString& reason);

} // namespace PlaybackFailure

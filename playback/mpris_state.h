#pragma once

#include "core/media_engine.h"
#include "core/menu_model.h"
#include <QString>
#include <QStringList>
#include <optional>

// The player as media keys and the desktop's media widgets see it, in their
// units: times in microseconds, the volume from 0 to 1.

// What the desktop's media widgets ask of the window itself.
class MprisRequests {
public:
  virtual ~MprisRequests() = default;
  virtual void Mpris_Raise() = 0;
  virtual void Mpris_Quit() = 0;
  // Opens the URI as an address handed over by a second start; false when
  // the player does not open it.
  virtual bool Mpris_OpenUri(const QString& uri) = 0;
  // Repeat (重复播放) and shuffle (无序播放) set from the desktop: the same as
  // choosing the menu item when the mode is to change.
  virtual void Mpris_SetRepeat(bool on) = 0;
  virtual void Mpris_SetShuffle(bool on) = 0;
};

// What is known of the item being played.
struct MprisTrack {
  QString trackId; // an object path, new for every item
  qint64 length = 0; // µs; 0 when unknown (a live stream)
  QString title;     // the title tag, or the name of the file
  QStringList artist;
  QString album;
  QString url;       // a file:// URL for a local path
  QString artUrl;    // the file:// URL of the cover art's picture, if it has one
  bool operator==(const MprisTrack&) const = default;
};

// The player's properties that change; the names are the properties' own.
struct MprisProperties {
  QString PlaybackStatus = QStringLiteral("Stopped");
  std::optional<MprisTrack> Metadata; // none while nothing is loaded
  double Volume = 0.5;
  double Rate = 1.0;
  bool CanPlay = false;
  bool CanPause = false;
  bool CanSeek = false;
  bool CanGoNext = false;
  bool CanGoPrevious = false;
  QString LoopStatus = QStringLiteral("None"); // "Playlist" while 重复播放 is on
  bool Shuffle = false;
  bool operator==(const MprisProperties&) const = default;
};

namespace Mpris {

// The track id while nothing is loaded.
inline const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

// "Playing", "Paused" or "Stopped" for one of the engine's play states,
// following the status `before` it.
QString playbackStatus(int playState, const QString& before);
double volumeOf(int engineVolume);
int engineVolumeOf(double volume);
qint64 microseconds(double seconds);

MprisTrack track(const MediaItem& item, const QString& trackId);

// Whether a LoopStatus turns repeat on: "None" no, "Playlist" and "Track" yes
// (repeat goes round the whole list, a single file included); nothing for
// any other text, which the desktop is refused.
std::optional<bool> repeatOf(const QString& loopStatus);

// The text a second start would hand over for the URI: the local path of a
// file:// URI, any other address the engine opens as it is; empty for what
// the player does not open (a scheme it lacks, a file on another host, text
// that is no URI at all).
QString linkCommand(const QString& uri);
const QStringList& uriSchemes();
// The types of the extensions the program may be associated with.
QStringList mimeTypes();

// The names of the properties that differ, in declaration order.
QStringList changedProperties(const MprisProperties& before, const MprisProperties& after);

} // namespace Mpris

// Follows the engine for the media-keys service: numbers the items as they
// come, tells what changed, and carries out the requests that need more than
// one call on the engine.
class MprisState {
public:
  // The modes are read from the menu's check marks, the program's record of them.
  MprisState(MediaEngine& engine, const MenuModel& menus);

  const MprisProperties& properties() const { return m_properties; }
  qint64 position() const;

  // Reads the engine afresh; returns the names of the properties that changed.
  QStringList refresh();

  // As the control bar's play/pause button.
  void playPause();
  // Moves by offset µs; before the start it goes to the start, past the end
  // on to the next item.
  void seek(qint64 offset);
  // Ignored unless trackId is the current item's and position lies within it.
  void setPosition(const QString& trackId, qint64 position);
  void setVolume(double volume);
  // A rate of 0 is a pause; others are kept within the player's speeds.
  void setRate(double rate);

private:
  MprisProperties read();

  MediaEngine& m_engine;
  const MenuModel& m_menus;
  MprisProperties m_properties;
  QString m_source; // of the numbered item
  bool m_stopped = false; // at the last read: stopped or ended
  int m_tracks = 0;
};

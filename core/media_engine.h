#pragma once

#include "core/item_failure.h"
#include "core/overlay_card.h"
#include "core/track.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <optional>

// Play states, numbered as the window's handlers test them.
namespace PlayState {
inline constexpr int Undefined = 0;
inline constexpr int Stopped = 1;
inline constexpr int Paused = 2;
inline constexpr int Playing = 3;
inline constexpr int ScanForward = 4;
inline constexpr int ScanReverse = 5;
inline constexpr int Buffering = 6;
inline constexpr int Waiting = 7;
inline constexpr int MediaEnded = 8;
inline constexpr int Transitioning = 9;
inline constexpr int Ready = 10;
inline constexpr int Reconnecting = 11;
} // namespace PlayState

// A snapshot of the item the engine has loaded.
struct MediaItem {
  int imageSourceWidth = 0;  // pixels; 0 when the item has no picture
  int imageSourceHeight = 0;
  bool highDynamicRange = false; // the picture's light is PQ or HLG, beyond what SDR shows
  QString sourceURL;         // the text that was set or listed
  double duration = 0;       // seconds
  QString author;            // artist tag, or author tag where there is no artist
  QString title;
  QString album;
  // The cover art the engine shows for the item, saved as a picture file;
  // empty when it has none, or until it has been saved.
  QString coverArtFile;
  bool showsCoverArt = false; // the engine shows a picture for it that is cover art

  // "Author", "Title" or "sourceURL"; "" for anything the item lacks.
  QString getItemInfo(const QString& attribute) const;
};

// The current item's place in the list the engine plays: a single file is a
// list of one. The position counts from 0, and is -1 while there is no item.
struct ListPlace {
  int position = -1;
  int length = 0;
  bool operator==(const ListPlace&) const = default;
};

// A chapter of the current item: where it starts, in seconds, and its title
// made fit for one line ("" when the file gives none).
struct Chapter {
  double start = 0;
  QString title;
  bool operator==(const Chapter&) const = default;
};

// The two ends of an A-B loop, in seconds; with both set, playback goes back
// to `a` whenever it reaches `b`.
struct LoopPoints {
  std::optional<double> a;
  std::optional<double> b;
  bool operator==(const LoopPoints&) const = default;
};

// The hosted media engine, `WMP` on the main window. Setting URL loads and,
// since autoStart is always on, plays; a .m3u file is played as a list.
class MediaEngine : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  virtual void setURL(const QString& url) = 0;
  virtual QString URL() const = 0;
  virtual int playState() const = 0;
  virtual void setFullScreen(bool on) = 0;
  virtual bool fullScreen() const = 0;
  // Empty when nothing is loaded.
  virtual std::optional<MediaItem> currentMedia() const = 0;
  // Where next() and previous() lead; told with currentMediaChanged.
  virtual ListPlace listPlace() const = 0;

  // controls
  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void stop() = 0;
  virtual void next() = 0;
  virtual void previous() = 0;
  virtual double currentPosition() const = 0;       // seconds
  // Moves to the time; the picture of the nearest keyframe may show first.
  virtual void setCurrentPosition(double seconds) = 0;
  // Moves the picture quickly to about `seconds` (a handle being dragged): to
  // the keyframe at or before it. Of the times asked for while one is on its
  // way, only the newest follows.
  virtual void scrubTo(double seconds) = 0;
  // The current item's chapters in the order they start; told with chaptersChanged.
  virtual QVector<Chapter> chapters() const = 0;

  // settings
  virtual int volume() const = 0;                    // 0..100
  virtual void setVolume(int volume) = 0;            // clamped to 0..100
  virtual bool mute() const = 0;
  virtual void setMute(bool on) = 0;
  // "loop" or "shuffle"; takes effect at once, also on a list already playing.
  virtual void setMode(const QString& mode, bool on) = 0;
  virtual bool getMode(const QString& mode) const = 0;
  // The playing speed, 1 for normal, kept within the engine's bounds.
  virtual double rate() const = 0;
  virtual void setRate(double rate) = 0;

  // What a play/pause button does: a playing item pauses, anything else plays.
  void playPause();

  // The current item's audio and subtitle tracks, the chosen ones selected.
  virtual QVector<Track> tracks() const = 0;
  // Chooses a track of the kind; 0 chooses no subtitles.
  virtual void selectTrack(Track::Kind kind, int id) = 0;
  virtual bool subtitlesVisible() const = 0;
  virtual void setSubtitlesVisible(bool on) = 0;
  // Loads a subtitle file for the current item and shows it; subtitleFileAdded tells how it went.
  virtual void addSubtitleFile(const QString& path) = 0;

  // Screenshots, the A-B loop, frame steps and subtitle timing: each holds
  // for the current item only and goes with it.
  // Saves the picture at the video's own size as a PNG at `path`, with or
  // without its subtitles; screenshotSaved tells how it went.
  virtual void saveScreenshot(const QString& path, bool withSubtitles) = 0;
  virtual LoopPoints loopPoints() const = 0;
  // Told with loopChanged, also when a new item clears it.
  virtual void setLoopPoints(const LoopPoints& points) = 0;
  // One frame on or back, pausing; frameStepped tells where it landed.
  virtual void stepFrame(bool forward) = 0;
  // Seconds the subtitles come later (earlier when negative).
  virtual double subtitleDelay() const = 0;
  virtual void setSubtitleDelay(double seconds) = 0;

  // A card over the picture, such as the list of keys, until hideCard().
  virtual void showCard(const QVector<CardSection>& sections) = 0;
  virtual void hideCard() = 0;
  virtual bool cardShown() const = 0;

  // A brief note over the picture, gone after `milliseconds`; a newer one replaces it.
  virtual void showNote(const QString& text, int milliseconds = 2000) = 0;
  // The one line across the picture besides the media (why an item failed,
  // that one is opening); empty removes it.
  virtual void showMessage(const QString& line) = 0;

signals:
  void PlayStateChange(int NewState);
  // nButton: 1 left, 2 right, 4 middle; nShiftState: 1 Shift, 2 Ctrl, 4 Alt.
  void MouseDown(int nButton, int nShiftState, float fX, float fY);
  // The current item, its tags, its picture size, its cover art or its place
  // in the list changed.
  void currentMediaChanged();
  // URL was set: what was said of the items before is over.
  void urlSet(const QString& url);
  // An item begins to open, or could not be opened: its source as set or
  // listed. Until it plays, currentMedia() still tells the item before.
  void itemOpening(const QString& source);
  // An item could not be opened or played.
  void itemFailed(const QString& source, const ItemFailure& failure);
  // An item is loaded and its duration known. `fromStart`: it was started
  // over on purpose (Play after Stop) and plays from its beginning.
  void itemLoaded(const QString& source, double duration, bool fromStart);
  // The loaded item was left (stopped, replaced, or it failed) or played to
  // its end, at `position` seconds.
  void itemLeft(const QString& source, double position, double duration, bool ended);
  // The subtitle file asked for was loaded, or could not be.
  void subtitleFileAdded(const QString& path, bool added);
  // The current item's first picture is on the screen.
  void pictureShown();
  // The position jumped (a seek), in seconds.
  void positionJumped(double seconds);
  void chaptersChanged();
  void volumeChanged(int volume);
  void muteChanged(bool on);
  void rateChanged(double rate);
  void screenshotSaved(const QString& path, bool saved);
  void loopChanged();
  void frameStepped(double position);
};

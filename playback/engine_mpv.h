#pragma once

#include "core/media_engine.h"
#include "playback/item_details_mpv.h"
#include "playback/list_lineage.h"
#include "playback/observed_properties_mpv.h"
#include "playback/play_state_table.h"
#include "playback/picture_notice.h"
#include "playback/playback_failure.h"
#include "playback/player_keys.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <atomic>
#include <deque>
#include <memory>
#include <vector>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
struct AudioCard;
class AudioCardMpv;
class FileDialogs;
class ListGuardMpv;
class ResumePoints;
class SubtitleFilesMpv;
class PlayerViewQt;
class VideoWindowMpv;
class QMouseEvent;
class QWidget;

// The media engine on libmpv. It owns the player control: widget() is the
// picture with the control bar below, for the window to place and size.
// The control shows no menu and no dialog of its own; every failure ends in
// the stopped state, with a line in the picture that says why.
class EngineMpv : public MediaEngine {
  Q_OBJECT
public:
  explicit EngineMpv(QObject* parent = nullptr);
  ~EngineMpv() override;

  QWidget* widget() const;

  void setURL(const QString& url) override;
  QString URL() const override { return m_url; }
  int playState() const override { return m_states.state(); }
  void setFullScreen(bool on) override;
  bool fullScreen() const override { return m_fullScreen; }
  std::optional<MediaItem> currentMedia() const override;
  ListPlace listPlace() const override { return m_details->listPlace(); }

  void play() override;
  void pause() override;
  void stop() override;
  void next() override;
  void previous() override;
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;

  int volume() const override { return m_volume; }
  void setVolume(int volume) override;
  bool mute() const override { return m_mute; }
  void setMute(bool on) override;
  void setMode(const QString& mode, bool on) override;
  bool getMode(const QString& mode) const override;
  double rate() const override { return m_rate; }
  void setRate(double rate) override;

  // A short line of text over the picture (volume, seeks, tracks, a failure),
  // gone after `milliseconds`; a newer note replaces it.
  void showNote(const QString& text, int milliseconds = NoteMs);
  // What the picture says besides the media: why the last item could not be
  // played, or that an item is being opened; empty once an item plays.
  QString failureLine() const { return m_notice.line(); }
  // Where "加载字幕文件…" asks for the file.
  void setFileDialogs(FileDialogs& dialogs) { m_fileDialogs = &dialogs; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // What the Up and Down keys and one notch of the wheel change the volume by.
  static constexpr int VolumeStep = 5;
  // How long an on-screen note stays.
  static constexpr int NoteMs = 2000;
  // The height of a note's letters, in pixels.
  static constexpr int NotePixels = 24;
  // How long an address may stay silent before the engine gives up on it: a
  // server waking a sleeping disk answers within it, one that hangs is told
  // in a quarter of the minute the core would wait by itself.
  static constexpr int NetworkTimeoutSeconds = 15;
  // The reply to sub-add, apart from the replies engine_mpv.cpp numbers.
  static constexpr uint64_t SubtitleFileReply = 300;

  // What one pass over libmpv's event queue brought.
  struct Drained {
    std::vector<EngineEvent> events;
    bool mediaChanged = false;
    bool opening = false; // the path changed: an item may be opening
  };

  static void onWakeup(void* self);
  void drainEvents();
  void take(const mpv_event& event, Drained& drained);
  void takeChange(uint64_t id, const mpv_event_property& change, Drained& drained);
  void moveToFront(const mpv_event_property& position);
  void feed(EngineEvent event);
  bool restartsPlayback(std::vector<EngineEvent>::const_iterator restart,
                        std::vector<EngineEvent>::const_iterator end);
  bool hasItem() const { return m_fileActive && !m_properties.path.isEmpty(); }
  MediaItem loadedItem() const;
  QString sourceOf(const QString& path) const;
  std::optional<AudioCard> audioCard() const;
  void onRenderContextReady();
  void onFrameDrawn();
  void load();
  void updateBar();
  bool keyPressed(PlayerKey key);
  void emitMouseDown(QMouseEvent* event);
  // A person's changes, each shown as a brief note (engine_notes_mpv.cpp).
  void setUpNotes();
  void changeVolumeBy(int step);
  void toggleMute();
  void seekBy(double seconds);
  void startOver();
  void changeRate(double rate);
  // The line over the picture when an item opens slowly or fails
  // (engine_failure_mpv.cpp).
  void setUpFailureLine();
  void watchForFailure(const mpv_event& event);
  void failed(int64_t entry, PlaybackFailure::Cause cause);
  void nameFailure(const mpv_event_property& playlist);
  void showFailures();
  // A list entry the list guard would not open: said once per list for each URL set.
  void refuseList(const QString& list, ListLineage::Verdict why);
  // Resuming where a video was left (engine_resume_mpv.cpp).
  void startResuming();
  void resumeItemStarted();
  void resumeItemGone();
  void resumeItemLoaded();
  void takeResumeReply(const mpv_event& event);
  void resumeAt(double seconds);
  void resumeItemEnded(int reason);
  void keepResumePoint();
  // Audio tracks, subtitle tracks and subtitle files.
  void initTracks();
  void showTracks();
  void chooseTrack(Track::Kind kind, int id);
  void cycleTrack(Track::Kind kind);
  void toggleSubtitles();
  void loadSubtitleFile();
  void subtitleFileAdded(bool added);

  mpv_handle* m_mpv;
  std::unique_ptr<ListGuardMpv> m_listGuard;
  std::unique_ptr<SubtitleFilesMpv> m_subtitleFiles;
  std::unique_ptr<AudioCardMpv> m_audioCard;
  std::unique_ptr<ItemDetailsMpv> m_details;
  QSet<QString> m_refusedLists; // said since the URL was set
  QPointer<PlayerViewQt> m_view;
  VideoWindowMpv* m_video;
  PlayStateTable m_states;
  ObservedPropertiesMpv m_properties;
  bool m_fileActive = false;   // between start-file and end-file
  bool m_fileLoaded = false;   // between file-loaded and the next start-file
  // playback-restart came before the video's picture size: playing waits for it.
  bool m_restartAwaitingPicture = false;
  int64_t m_stoppedEntry = -1; // the list entry that stop() left, for play()
  // The item that stopped or ended: still the current one.
  std::optional<MediaItem> m_keptItem;
  std::deque<double> m_seeks;  // targets of the seeks not yet answered
  QTimer m_positionTimer;
  std::atomic_bool m_wakeupPosted{false};
  QString m_url;
  bool m_loadQueued = false;
  bool m_fullScreen = false;
  int m_volume = 50;
  bool m_mute = false;
  bool m_loop = false;
  bool m_shuffle = false;
  double m_rate = 1.0;
  // Failures waiting for the name of their item, which the play list gives.
  struct Failure {
    int64_t entry;
    PlaybackFailure::Cause cause;
    PlaybackFailure::Network network;
  };
  std::deque<Failure> m_failures;
  int64_t m_expandedList = -1; // a list expanded and no item started since
  PlaybackFailure::ServerLog m_serverLog;
  // Failures named, to be shown once the log that tells why has been read.
  std::vector<std::pair<QString, Failure>> m_namedFailures;
  QElapsedTimer m_sinceStartFile;
  PictureNotice m_notice;
  FileDialogs* m_fileDialogs = nullptr;
  bool m_subtitlesVisible = true;
  QString m_addingSubtitle; // the file sub-add was asked to load
  // Milestones still to be traced for the current load.
  bool m_traceFileLoaded = false;
  bool m_firstPictureDue = false; // traced and told with pictureShown
  bool m_tracePlaybackRestart = false;
  std::unique_ptr<ResumePoints> m_resume;
  QTimer m_resumeTimer;    // keeps the position of a playing video now and then
  QString m_resumeSource;  // the loaded item's path, until its duration is known
  QString m_resumeKey;     // the loaded item's, once its duration is known
  double m_resumeDuration = 0;
  uint32_t m_resumeFile = 0; // counts the files started
  uint32_t m_fileFromStart = 0; // the file Play after Stop started: it does not resume
};

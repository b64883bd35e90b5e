#pragma once

#include "core/media_engine.h"
#include "playback/observed_properties_mpv.h"
#include "playback/play_state_table.h"
#include "playback/seek_queue.h"
#include "playback/video_window_mpv.h"

#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class FailureWatchMpv;
class FineControlsMpv;
class FullScreenHost;
class CoverArtMpv;
class ListGuardMpv;
class MpvSession;
class SubtitleFilesMpv;

// The media engine on libmpv: it carries the port's requests to the core and
// tells what the core does, in the port's terms. What a person's keys, the
// bar, a failure or a resumed video mean is decided by the player's logic.
// The picture is a window of its own (videoWindow()), embedded by the player
// control; the engine loads nothing before its render context exists.
class EngineMpv : public MediaEngine {
  Q_OBJECT
public:
  // How long an address may stay silent before the engine gives up on it: a
  // server waking a sleeping disk answers within it, one that hangs is told
  // in a quarter of the minute the core would wait by itself.
  static constexpr int NetworkTimeoutSeconds = 15;

  explicit EngineMpv(QObject* parent = nullptr);
  ~EngineMpv() override;

  VideoWindowMpv* videoWindow() const { return m_video; }
  MpvSession& session() const { return *m_session; }
  // The window that switches full screen; none leaves the player windowed.
  void setFullScreenHost(FullScreenHost* host) { m_fullScreen = host; }

  void setURL(const QString& url) override;
  QString URL() const override { return m_url; }
  int playState() const override { return m_states.state(); }
  void setFullScreen(bool on) override;
  bool fullScreen() const override;
  std::optional<MediaItem> currentMedia() const override;
  ListPlace listPlace() const override;

  // The controls (engine_controls_mpv.cpp).
  void play() override;
  void pause() override;
  void stop() override;
  void next() override;
  void previous() override;
  double currentPosition() const override;
  void setCurrentPosition(double seconds) override;
  void scrubTo(double seconds) override;
  QVector<Chapter> chapters() const override { return m_properties.chapters; }
  int volume() const override { return m_settings.volume; }
  void setVolume(int volume) override;
  bool mute() const override { return m_settings.mute; }
  void setMute(bool on) override;
  void setMode(const QString& mode, bool on) override;
  bool getMode(const QString& mode) const override;
  double rate() const override { return m_settings.rate; }
  void setRate(double rate) override;
  QVector<Track> tracks() const override { return m_properties.tracks; }
  void selectTrack(Track::Kind kind, int id) override;
  bool subtitlesVisible() const override { return m_settings.subtitlesVisible; }
  void setSubtitlesVisible(bool on) override;
  void addSubtitleFile(const QString& path) override;
  void saveScreenshot(const QString& path, bool withSubtitles) override;
  LoopPoints loopPoints() const override;
  void setLoopPoints(const LoopPoints& points) override;
  void stepFrame(bool forward) override;
  double subtitleDelay() const override;
  void setSubtitleDelay(double seconds) override;
  void showCard(const QVector<CardSection>& sections) override;
  void hideCard() override;
  bool cardShown() const override;
  void showNote(const QString& text, int milliseconds = 2000) override;
  void showMessage(const QString& line) override;

private:
  void seekTo(double seconds, SeekQueue::Want want);
  void listen();
  void started();
  void loaded();
  void ended(int reason);
  void restarted();
  void changed(ObservedPropertiesMpv::Id id, bool mediaChanged);
  void afterDrain();
  bool restartsPlayback(std::vector<EngineEvent>::const_iterator restart,
                        std::vector<EngineEvent>::const_iterator end);
  void feed(EngineEvent event);
  void onRenderContextReady();
  void onFrameDrawn();
  void load();
  bool hasItem() const;
  QString sourceOf(const QString& path) const;
  MediaItem loadedItem() const;
  void askForLoadedItem();
  void moveToFront(int64_t current);

  std::unique_ptr<MpvSession> m_session;
  std::unique_ptr<ListGuardMpv> m_listGuard;
  std::unique_ptr<SubtitleFilesMpv> m_subtitleFiles;
  std::unique_ptr<FailureWatchMpv> m_failures;
  std::unique_ptr<CoverArtMpv> m_coverArt;
  std::unique_ptr<FineControlsMpv> m_fine; // seeks too
  QPointer<VideoWindowMpv> m_video; // the window tree owns it
  FullScreenHost* m_fullScreen = nullptr;
  PlayStateTable m_states;
  ObservedPropertiesMpv m_properties;
  QString m_url;
  // The file between start-file and the next one.
  struct File {
    uint32_t number = 0;          // counts the files started
    bool active = false;          // until its end-file
    bool loaded = false;          // since its file-loaded
    bool restartAwaitingPicture = false; // playback-restart came before the picture's size
    bool loadQueued = false;      // a load waits for the render context
    uint32_t fromStart = 0;       // the number of the file Play after Stop started
    int64_t stoppedEntry = -1;    // the list entry stop() left, for play()
    std::optional<MediaItem> kept; // the item that stopped or ended: still current
    QString source;               // as loaded, once its duration is known
    double duration = 0;
  } m_file;
  // What the player keeps across items; libmpv is told, not asked.
  struct Settings {
    int volume = 50;
    bool mute = false;
    bool loop = false;
    bool shuffle = false;
    double rate = 1.0;
    bool subtitlesVisible = true;
  } m_settings;
  // What one pass over the queue brought, acted on once it is over, so that
  // a player event sees the item it is about.
  struct Batch {
    std::vector<EngineEvent> events;
    bool mediaChanged = false;
    bool pathChanged = false;
  } m_batch;
  // Milestones still to be traced for the current load.
  struct Due {
    bool fileLoaded = false;
    bool firstPicture = false; // also told with pictureShown
    bool playbackRestart = false;
  } m_due;
};

#pragma once

#include "core/media_engine.h"
#include <QStringList>
#include <map>

// An engine whose state the test sets; it records what the form asked of it.
class FakeEngine : public MediaEngine {
public:
  QString url;
  QStringList urls; // every URL set, in order
  int state = PlayState::Undefined;
  bool full = false;
  std::optional<MediaItem> item;
  ListPlace place;
  int plays = 0, pauses = 0, stops = 0, nexts = 0, previouses = 0;
  double position = 0;
  int vol = 50;
  bool muted = false;
  double speed = 1;
  std::map<QString, bool> modes;
  QStringList modeCalls; // "loop on", "shuffle off", ...

  void setURL(const QString& u) override { url = u; urls << u; }
  QString URL() const override { return url; }
  int playState() const override { return state; }
  void setFullScreen(bool on) override { full = on; }
  bool fullScreen() const override { return full; }
  std::optional<MediaItem> currentMedia() const override { return item; }
  ListPlace listPlace() const override { return place; }
  void play() override { ++plays; }
  void pause() override { ++pauses; }
  void stop() override { ++stops; }
  void next() override { ++nexts; }
  void previous() override { ++previouses; }
  double currentPosition() const override { return position; }
  void setCurrentPosition(double s) override { position = s; }
  QVector<double> scrubs; // the times the picture was scrubbed to
  void scrubTo(double s) override { scrubs << s; }
  QVector<Chapter> chapterList;
  QVector<Chapter> chapters() const override { return chapterList; }
  int volume() const override { return vol; }
  void setVolume(int v) override { vol = qBound(0, v, 100); }
  bool mute() const override { return muted; }
  void setMute(bool on) override { muted = on; }
  void setMode(const QString& mode, bool on) override
  {
    modes[mode] = on;
    modeCalls << mode + (on ? " on" : " off");
  }
  bool getMode(const QString& mode) const override
  {
    const auto it = modes.find(mode);
    return it != modes.end() && it->second;
  }

  QVector<Track> trackList;
  bool subtitlesShown = true;
  QStringList subtitleFiles; // asked to load
  QStringList notes;         // shown, in order
  QString message;           // the line across the picture

  QVector<Track> tracks() const override { return trackList; }
  void selectTrack(Track::Kind kind, int id) override
  {
    for (Track& track : trackList)
      if (track.kind == kind)
        track.selected = track.id == id;
  }
  bool subtitlesVisible() const override { return subtitlesShown; }
  void setSubtitlesVisible(bool on) override { subtitlesShown = on; }
  void addSubtitleFile(const QString& path) override { subtitleFiles << path; }
  void showNote(const QString& text, int = 2000) override { notes << text; }
  void showMessage(const QString& line) override { message = line; }

  double rate() const override { return speed; }
  void setRate(double r) override
  {
    speed = r;
    emit rateChanged(r);
  }

  QStringList screenshots; // "<path> with subtitles" / "<path> without subtitles"
  LoopPoints loop;
  QVector<bool> frameSteps; // true forward
  double delay = 0;
  QVector<CardSection> card;
  bool cardVisible = false;

  void saveScreenshot(const QString& path, bool withSubtitles) override
  {
    screenshots << path + (withSubtitles ? " with subtitles" : " without subtitles");
  }
  LoopPoints loopPoints() const override { return loop; }
  void setLoopPoints(const LoopPoints& points) override
  {
    loop = points;
    emit loopChanged();
  }
  void stepFrame(bool forward) override { frameSteps << forward; }
  double subtitleDelay() const override { return delay; }
  void setSubtitleDelay(double seconds) override { delay = seconds; }
  void showCard(const QVector<CardSection>& sections) override
  {
    card = sections;
    cardVisible = true;
  }
  void hideCard() override { cardVisible = false; }
  bool cardShown() const override { return cardVisible; }

  // Helpers for tests: an item with or without a picture.
  static MediaItem video(int w, int h, const QString& source = "/media/clip.mp4");
  static MediaItem audio(const QString& source = "/media/song.mp3");
};

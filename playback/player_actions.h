#pragma once

#include "core/media_engine.h"
#include "core/track.h"
#include "playback/player_keys.h"
#include "playback/precise_actions.h"

#include <QObject>
#include <QString>

class FileDialogs;
class MediaEngine;
class PlayerControls;

// What the player does when a person asks: its keys, its bar's buttons and
// menus, the wheel and a double click over the picture. Each change shows a
// brief note in the picture.
class PlayerActions : public QObject {
  Q_OBJECT
public:
  // What the Up and Down keys and one notch of the wheel change the volume by.
  static constexpr int VolumeStep = 5;

  // `screenshotFolder` as Screenshots takes it.
  PlayerActions(MediaEngine& player, PlayerControls& controls, FileDialogs& dialogs,
                const QString& screenshotFolder = {});

  // Carries out a key of the player's; false when it is none. While the key
  // card shows, any key only closes it.
  bool keyPressed(PlayerKey key);

signals:
  // A person chose the current item's track or subtitle delay.
  void trackChosen(Track::Kind kind, int id);
  void subtitleDelayChosen(double seconds);

private:
  void seekBy(double seconds);
  void startOver();
  void goToChapter(std::optional<int> (*which)(const QVector<Chapter>&, double));
  void changeVolumeBy(int step);
  void toggleMute();
  void changeRate(double rate);
  void chooseTrack(Track::Kind kind, int id);
  void cycleTrack(Track::Kind kind);
  void toggleSubtitles();
  void loadSubtitleFile();
  void subtitleFileAdded(const QString& path, bool added);

  bool preciseKeyPressed(PlayerKey key);

  MediaEngine& m_player;
  FileDialogs& m_dialogs;
  PreciseActions m_precise;
};

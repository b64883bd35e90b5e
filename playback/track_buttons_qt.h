#pragma once

#include "playback/track_menu.h"

#include <QWidget>

class QMenu;
class QToolButton;

// The control bar's audio-track and subtitle buttons, each opening a menu of
// the item's tracks and shown only when there is something to choose. Like
// the bar, it only shows and asks.
class TrackButtonsQt : public QWidget {
  Q_OBJECT
public:
  explicit TrackButtonsQt(QWidget* parent);

  // The current item's tracks, and whether it has a picture to put subtitles on.
  void setTracks(const QVector<Track>& tracks, bool picture);

signals:
  void audioChosen(int id);
  void subtitleChosen(int id); // TrackMenu::Off for none
  void subtitleFileWanted();
  // The buttons shown may have changed: the bar makes room for them.
  void buttonsChanged();

private:
  QToolButton* addButton(const QIcon& icon, const QString& tip, QMenu* menu);
  void fillAudioMenu();
  void fillSubtitleMenu();

  QMenu* m_audioMenu;
  QMenu* m_subtitleMenu;
  QToolButton* m_audio;
  QToolButton* m_subtitles;
  QVector<Track> m_tracks;
};

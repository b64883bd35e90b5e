#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class MediaEngine;

// Pictures of the playing video, saved as "<file name> 01-23-45.png" (the
// name of the media, the time in it) in the Kelvarino folder of the user's
// pictures folder. The engine writes a hidden file there and the picture
// then takes its name only where no file has it: nothing is overwritten, and
// a picture that failed half way is never seen under its name.
class Screenshots : public QObject {
  Q_OBJECT
public:
  // `folder` empty: `$(xdg-user-dir PICTURES)/Kelvarino`, asked at each picture.
  Screenshots(MediaEngine& player, QString folder = {});

  void take(bool withSubtitles);

  // "<file name> 01-23-45": the media's name without its extension, made fit
  // for a file name, and the time `position` in it.
  static QString baseName(const QString& source, double position);

private:
  void saved(const QString& temporary, bool ok);
  QString folder() const;

  MediaEngine& m_player;
  QString m_folder;
  QHash<QString, QString> m_pending; // the hidden file → the picture's name
  int m_taken = 0;
};

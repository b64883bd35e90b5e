#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

struct PictureNoticeTiming {
  // A failure stays at least this long, so that a list that goes on past a
  // bad item still shows which one it passed.
  int failureHeldMs = 3000;
  // A local file says it is opening only once it is slow to; an address at once.
  int slowOpeningMs = 1000;
};

// The one line the picture shows besides the media: why an item could not be
// played, or that an item is still being opened. The picture draws it; this
// decides what it says and for how long.
class PictureNotice : public QObject {
  Q_OBJECT
public:
  explicit PictureNotice(std::function<void(const QString& line)> show, PictureNoticeTiming timing = {});

  // A person asked for something new: what the picture said of the old is over.
  void newRequest();
  // An item starts to open: its source as set or listed.
  void opening(const QString& source);
  // The item could not be played: the whole line to show.
  void failed(const QString& line);
  // The engine's play state, as its PlayStateChange tells it.
  void playStateChanged(int state);

  // What the picture says now; empty for nothing.
  QString line() const { return m_line; }

private:
  void show(const QString& line);
  void showOpening();
  void failureHeld();

  std::function<void(const QString&)> m_show;
  QString m_line;
  bool m_lineIsFailure = false;
  int m_state = 0;
  QString m_opening;           // the source being opened, until it plays or fails
  QTimer m_slowOpening;
  QTimer m_failureHeld;
  bool m_clearWhenHeld = false;
};

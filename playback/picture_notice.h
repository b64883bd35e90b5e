#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class MediaEngine;
struct ItemFailure;

struct PictureNoticeTiming {
  // A failure stays at least this long, so that a list that goes on past a
  // bad item still shows which one it passed.
  int failureHeldMs = 3000;
  // A local file says it is opening only once it is slow to; an address at once.
  int slowOpeningMs = 1000;
};

// The one line the picture shows besides the media: why an item could not be
// played, or that an item is still being opened. It follows the engine's
// items and states and decides what the line says and for how long; the
// engine's picture draws it.
class PictureNotice : public QObject {
  Q_OBJECT
public:
  explicit PictureNotice(MediaEngine& player, PictureNoticeTiming timing = {});

  // What the picture says now; empty for nothing.
  QString line() const { return m_line; }

private:
  // A person asked for something new: what the picture said of the old is over.
  void newRequest();
  // An item starts to open: its source as set or listed.
  void opening(const QString& source);
  void failed(const QString& source, const ItemFailure& failure);
  void playStateChanged(int state);
  void show(const QString& line);
  void showOpening();
  void failureHeld();

  MediaEngine& m_player;
  QString m_line;
  bool m_lineIsFailure = false;
  int m_state = 0;
  QString m_opening;           // the source being opened, until it plays or fails
  QTimer m_slowOpening;
  QTimer m_failureHeld;
  bool m_clearWhenHeld = false;
};

#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class MediaEngine;

// Runs work that the first picture does not need (registering the file type
// writes the desktop's files and starts its tools) once start-up has shown
// what it opened: the item's first picture, the item playing without one, or
// its failure. When start-up opened nothing, the first turn of the event
// loop will do, after the window is shown.
class AfterStartUp : public QObject {
public:
  // An address that takes long to answer does not hold the work back longer.
  static constexpr int LongestWaitMs = 3000;

  AfterStartUp(MediaEngine& player, bool opening, std::function<void()> work);

private:
  void stateChanged(int state);
  void run();

  MediaEngine& m_player;
  std::function<void()> m_work;
  QTimer m_deadline;
};

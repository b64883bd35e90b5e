#pragma once

#include "core/taskbar_list.h"
#include <QObject>
#include <QTimer>
#include <memory>

class MediaEngine;

// Playback progress on the program's dock or taskbar button. `TTask` ticks
// every 500 ms from each start of playback and switches itself off once it
// has shown a state other than playing.
class TaskbarProgress : public QObject {
  Q_OBJECT
public:
  // `TaskbarPtr` is null when the desktop offers no such facility.
  TaskbarProgress(MediaEngine& player, std::unique_ptr<TaskbarList> TaskbarPtr);
  ~TaskbarProgress() override;

  void TTask_Timer();

  QTimer TTask;
  // Made once at start-up and kept until the program ends.
  std::unique_ptr<TaskbarList> TaskbarPtr;

private:
  MediaEngine& m_player;
};

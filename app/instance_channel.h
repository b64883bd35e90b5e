#pragma once

#include <QString>

// The channel between instances of the program, as the launcher sees it. The
// first instance is decided before any window exists: the process that holds
// the instance lock is the one that answers second starts, for its whole life.
class InstanceChannel {
public:
  virtual ~InstanceChannel() = default;
  // Takes the lock when nobody holds it. True only when another live process
  // holds it; when the lock cannot be used at all, this process runs alone.
  virtual bool anotherInstanceRunning() = 0;
  // Sends one command to the instance that holds the lock and waits a bounded
  // time for its acknowledgement; false when nobody took it.
  virtual bool execute(const QString& command) = 0;
  // Where this process answers, once it holds the lock; empty otherwise.
  virtual QString serverPath() const = 0;
};

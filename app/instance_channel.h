#pragma once

#include <QString>
#include <functional>

// The channel between instances of the program. The first instance is decided
// before any window exists; it later receives the execute commands of second
// starts.
class InstanceChannel {
public:
  virtual ~InstanceChannel() = default;
  // True when another instance already runs; otherwise this process is now the
  // first instance and keeps that role for its life.
  virtual bool anotherInstanceRunning() = 0;
  // Sends one execute command to the first instance and waits briefly for its
  // acknowledgement; false when nobody took it.
  virtual bool execute(const QString& command) = 0;
  // Starts answering; called once the event loop exists.
  virtual void listen(std::function<void(const QString&)> onExecute) = 0;
};

#pragma once

#include "app/instance_channel.h"
#include "app/instance_server.h"
#include <QStringList>

// Another instance runs when `othersRunning`; `sent` records the commands a
// second start handed over, `answered` decides whether anyone took them.
class FakeInstanceChannel : public InstanceChannel {
public:
  bool othersRunning = false;
  bool answered = true;
  bool holdsLock = false;
  QStringList sent;

  bool anotherInstanceRunning() override
  {
    holdsLock = !othersRunning;
    return othersRunning;
  }
  bool execute(const QString& command) override
  {
    sent << command;
    return answered;
  }
  QString serverPath() const override { return holdsLock ? QStringLiteral("/run/test/instance") : QString(); }
};

// Remembers where it listens; `deliver` plays a command that arrives.
class FakeInstanceServer : public InstanceServer {
public:
  QString path;
  std::function<void(const QString&)> onCommand;

  bool listen(const QString& p, std::function<void(const QString&)> handler) override
  {
    path = p;
    onCommand = std::move(handler);
    return true;
  }
  void deliver(const QString& command) { onCommand(command); }
};

#pragma once

#include <QString>
#include <functional>

// The answering end of the instance channel, run by the event loop of the
// first instance. Each command reaches `onCommand` on the GUI thread, after it
// has been acknowledged to its sender.
class InstanceServer {
public:
  virtual ~InstanceServer() = default;
  // Replaces whatever a dead instance left at `path` and listens there; false
  // when it cannot.
  virtual bool listen(const QString& path, std::function<void(const QString&)> onCommand) = 0;
};

#pragma once

#include "app/instance_server.h"
#include <QLocalServer>
#include <chrono>

class QLocalSocket;

// The first instance's answering end on a local socket that only its own user
// can reach. Every connection carries one command and is served on its own,
// so a sender that is silent, slow or sends junk never holds up the next one:
// it is dropped after `clientTimeout` or at the first byte that shows junk.
class InstanceServerQt : public QObject, public InstanceServer {
  Q_OBJECT
public:
  explicit InstanceServerQt(std::chrono::milliseconds clientTimeout = std::chrono::seconds(1));
  bool listen(const QString& path, std::function<void(const QString&)> onCommand) override;

private:
  void acceptPending();
  void serve(QLocalSocket* socket);

  QLocalServer m_server;
  std::chrono::milliseconds m_clientTimeout;
  std::function<void(const QString&)> m_onCommand;
};

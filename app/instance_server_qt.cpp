#include "app/instance_server_qt.h"

#include "app/instance_protocol.h"
#include <QLocalSocket>
#include <QTimer>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The socket's folder and mode already keep other users out; the peer's
// credentials make sure of it.
bool sameUser(const QLocalSocket& socket)
{
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == ::getuid();
}

} // namespace

InstanceServerQt::InstanceServerQt(std::chrono::milliseconds clientTimeout)
    : m_clientTimeout(clientTimeout)
{
  connect(&m_server, &QLocalServer::newConnection, this, &InstanceServerQt::acceptPending);
}

bool InstanceServerQt::listen(const QString& path, std::function<void(const QString&)> onCommand)
{
  m_onCommand = std::move(onCommand);
  // Only the holder of the instance lock gets here, so whatever is at the
  // path was left by an instance that died.
  QLocalServer::removeServer(path);
  m_server.setSocketOptions(QLocalServer::UserAccessOption);
  if (m_server.listen(path))
    return true;
  qWarning("kelvarino: cannot answer second starts at %s: %s", qPrintable(path),
           qPrintable(m_server.errorString()));
  return false;
}

void InstanceServerQt::acceptPending()
{
  while (QLocalSocket* socket = m_server.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!sameUser(*socket)) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    serve(socket);
  }
}

void InstanceServerQt::serve(QLocalSocket* socket)
{
  auto received = std::make_shared<QByteArray>();
  socket->setReadBufferSize(InstanceProtocol::HeaderBytes + InstanceProtocol::MaxCommandBytes + 1);
  QTimer::singleShot(m_clientTimeout, socket, [socket] {
    socket->abort();
    socket->deleteLater();
  });
  connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] {
    // Never more than one command and one byte beyond it: enough to see junk.
    const qint64 room = InstanceProtocol::HeaderBytes + InstanceProtocol::MaxCommandBytes + 1 -
                        received->size();
    received->append(socket->read(room));
    const InstanceProtocol::Decoded decoded = InstanceProtocol::decode(*received);
    using Status = InstanceProtocol::Decoded::Status;
    if (decoded.status == Status::Incomplete)
      return;
    if (decoded.status == Status::Rejected) {
      socket->abort();
      socket->deleteLater();
      return;
    }
    disconnect(socket, &QLocalSocket::readyRead, socket, nullptr);
    // The sender may end as soon as it has the answer, before the command runs.
    socket->write(&InstanceProtocol::Acknowledgement, 1);
    socket->flush();
    socket->disconnectFromServer();
    if (m_onCommand)
      m_onCommand(decoded.command);
  });
}

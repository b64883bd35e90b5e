#include "app/instance_channel_posix.h"

#include "app/instance_protocol.h"
#include <QFile>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long a first instance that is still starting may take to listen, and
// then to acknowledge.
constexpr auto ConnectWindow = 2000ms;
constexpr auto AcknowledgeWindow = 1000ms;
constexpr auto RetryPause = 2ms;

QString baseName()
{
  return QStringLiteral("Kelvarino-FormDDE-%1").arg(::getuid());
}

int millisecondsLeft(Clock::time_point deadline)
{
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? int(left.count()) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline)
{
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, millisecondsLeft(deadline));
    if (n > 0)
      return true;
    if (n == 0 || errno != EINTR)
      return false;
  }
}

bool sendAll(int fd, const QByteArray& bytes, Clock::time_point deadline)
{
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    if (!waitFor(fd, POLLOUT, deadline))
      return false;
    const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent),
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno != EINTR && errno != EAGAIN)
      return false;
    if (n > 0)
      sent += n;
  }
  return true;
}

bool acknowledged(int fd, Clock::time_point deadline)
{
  for (;;) {
    if (!waitFor(fd, POLLIN, deadline))
      return false;
    char answer = 0;
    const ssize_t n = ::recv(fd, &answer, 1, MSG_DONTWAIT);
    if (n == 1)
      return answer == InstanceProtocol::Acknowledgement;
    if (n == 0 || (errno != EINTR && errno != EAGAIN))
      return false;
  }
}

bool tryLock(int fd)
{
  int result;
  do
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

} // namespace

InstanceChannelPosix::InstanceChannelPosix(const QString& runtimeFolder)
    : m_runtimeFolder(runtimeFolder)
{
}

InstanceChannelPosix::~InstanceChannelPosix()
{
  if (m_lockFd >= 0)
    ::close(m_lockFd);
}

QString InstanceChannelPosix::lockPath(const QString& runtimeFolder)
{
  return runtimeFolder + u'/' + baseName() + QStringLiteral(".lock");
}

QString InstanceChannelPosix::socketPath(const QString& runtimeFolder)
{
  return runtimeFolder + u'/' + baseName();
}

bool InstanceChannelPosix::anotherInstanceRunning()
{
  if (m_holdsLock || m_runtimeFolder.isEmpty())
    return false;
  if (m_lockFd < 0)
    m_lockFd = ::open(QFile::encodeName(lockPath(m_runtimeFolder)).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_lockFd < 0)
    return false;
  m_holdsLock = tryLock(m_lockFd);
  if (m_holdsLock)
    return false;
  if (errno == EWOULDBLOCK)
    return true;
  ::close(m_lockFd);
  m_lockFd = -1;
  return false;
}

bool InstanceChannelPosix::execute(const QString& command)
{
  const QByteArray message = InstanceProtocol::encode(command);
  const QByteArray path = QFile::encodeName(socketPath(m_runtimeFolder));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (message.isEmpty() || m_lockFd < 0 || m_holdsLock || size_t(path.size()) >= sizeof address.sun_path)
    return false;
  std::memcpy(address.sun_path, path.constData(), size_t(path.size()));

  const int fd = connectToHolder(address);
  if (fd < 0)
    return false;
  const auto deadline = Clock::now() + AcknowledgeWindow;
  const bool done = sendAll(fd, message, deadline) && acknowledged(fd, deadline);
  ::close(fd);
  return done;
}

int InstanceChannelPosix::connectToHolder(const sockaddr_un& address)
{
  // A first instance that is still starting has not listened yet (there is no
  // socket, or one left by an instance that died): try again for a while, but
  // not for one that has ended meanwhile.
  const auto deadline = Clock::now() + ConnectWindow;
  for (;;) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
      return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
      return fd;
    const int error = errno;
    ::close(fd);
    const bool notYet = error == ENOENT || error == ECONNREFUSED || error == EAGAIN || error == EINTR;
    if (!notYet || Clock::now() >= deadline)
      return -1;
    if (holderGone())
      return -1;
    std::this_thread::sleep_for(RetryPause);
  }
}

bool InstanceChannelPosix::holderGone()
{
  // Taking the lock proves that nobody holds it any more. It goes back at
  // once: this process ends as a second start, answered or not.
  if (!tryLock(m_lockFd))
    return false;
  ::flock(m_lockFd, LOCK_UN);
  return true;
}

QString InstanceChannelPosix::serverPath() const
{
  return m_holdsLock ? socketPath(m_runtimeFolder) : QString();
}

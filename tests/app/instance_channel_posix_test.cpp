#include "app/instance_channel_posix.h"
#include "app/instance_protocol.h"
#include "qt_printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A first instance's socket in plain POSIX: takes one connection, reads what
// arrives and answers `reply` (nothing when it is 0).
class RawServer {
public:
  explicit RawServer(const QString& path)
  {
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray p = QFile::encodeName(path);
    std::memcpy(address.sun_path, p.constData(), size_t(p.size()));
    ::unlink(p.constData());
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(fd, 16), 0);
  }
  ~RawServer() { ::close(fd); }

  // Reads until the sender's command is complete, then answers.
  QByteArray serveOne(char reply)
  {
    const int client = ::accept(fd, nullptr, nullptr);
    QByteArray received;
    char buffer[4096];
    while (InstanceProtocol::decode(received).status == InstanceProtocol::Decoded::Status::Incomplete) {
      const ssize_t n = ::read(client, buffer, sizeof buffer);
      if (n <= 0)
        break;
      received.append(buffer, n);
    }
    if (reply)
      (void)::write(client, &reply, 1);
    else
      std::this_thread::sleep_for(1500ms); // a first instance that never answers
    ::close(client);
    return received;
  }

  int fd = -1;
};

class InstanceChannelPosixTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString runtime() const { return dir.path(); }
};

bool closeOnExec(const QString& path)
{
  for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    if (QFileInfo("/proc/self/fd/" + fd).symLinkTarget() == path)
      return (::fcntl(fd.toInt(), F_GETFD) & FD_CLOEXEC) != 0;
  }
  return false;
}

} // namespace

TEST_F(InstanceChannelPosixTest, TheFirstToAskHoldsTheLockUntilItEnds)
{
  auto first = std::make_unique<InstanceChannelPosix>(runtime());
  InstanceChannelPosix second(runtime());
  EXPECT_FALSE(first->anotherInstanceRunning());
  EXPECT_EQ(first->serverPath(), InstanceChannelPosix::socketPath(runtime()));
  EXPECT_TRUE(second.anotherInstanceRunning());
  EXPECT_TRUE(second.serverPath().isEmpty());
  EXPECT_TRUE(closeOnExec(InstanceChannelPosix::lockPath(runtime())))
      << "programs the first instance starts must not inherit the lock";
  EXPECT_EQ(QFileInfo(InstanceChannelPosix::lockPath(runtime())).permissions() & 0x0077, 0);

  first.reset(); // as when it dies, even by SIGKILL: the kernel drops the lock
  EXPECT_FALSE(second.anotherInstanceRunning());
  EXPECT_FALSE(second.serverPath().isEmpty());
}

TEST_F(InstanceChannelPosixTest, WithoutARuntimeFolderEveryStartRunsAlone)
{
  InstanceChannelPosix none{QString()};
  EXPECT_FALSE(none.anotherInstanceRunning());
  EXPECT_TRUE(none.serverPath().isEmpty());
  EXPECT_FALSE(none.execute("nor"));
  InstanceChannelPosix unusable(dir.filePath("missing/folder"));
  EXPECT_FALSE(unusable.anotherInstanceRunning()) << "a lock that cannot be made is nobody's";
}

TEST_F(InstanceChannelPosixTest, TheCommandArrivesWhenTheFirstInstanceListensLateAndIsAcknowledged)
{
  InstanceChannelPosix first(runtime()), second(runtime());
  ASSERT_FALSE(first.anotherInstanceRunning());
  ASSERT_TRUE(second.anotherInstanceRunning());
  const QString command = "\"/home/me/My Videos/片 $x.mp4\"";
  auto served = std::async(std::launch::async, [&] {
    std::this_thread::sleep_for(300ms); // still building its window
    RawServer server(first.serverPath());
    return server.serveOne(InstanceProtocol::Acknowledgement);
  });
  EXPECT_TRUE(second.execute(command));
  EXPECT_EQ(served.get(), InstanceProtocol::encode(command));
}

TEST_F(InstanceChannelPosixTest, NobodyAnsweringEndsTheSenderWithinItsBound)
{
  InstanceChannelPosix first(runtime()), second(runtime());
  ASSERT_FALSE(first.anotherInstanceRunning());
  ASSERT_TRUE(second.anotherInstanceRunning());

  auto start = Clock::now();
  EXPECT_FALSE(second.execute("nor")) << "the lock is held but nobody listens";
  EXPECT_LT(Clock::now() - start, 3s);

  auto silent = std::async(std::launch::async, [&] {
    RawServer server(first.serverPath());
    return server.serveOne(0);
  });
  start = Clock::now();
  EXPECT_FALSE(second.execute("nor")) << "connected, but never acknowledged";
  EXPECT_LT(Clock::now() - start, 2s);
  silent.get();
  EXPECT_TRUE(second.serverPath().isEmpty());
}

TEST_F(InstanceChannelPosixTest, ASenderWhoseFirstInstanceEndsMeanwhileGivesUpAtOnce)
{
  auto first = std::make_unique<InstanceChannelPosix>(runtime());
  InstanceChannelPosix second(runtime());
  ASSERT_FALSE(first->anotherInstanceRunning());
  ASSERT_TRUE(second.anotherInstanceRunning());
  auto ending = std::async(std::launch::async, [&] {
    std::this_thread::sleep_for(200ms);
    first.reset();
  });
  const auto start = Clock::now();
  EXPECT_FALSE(second.execute("nor"));
  EXPECT_LT(Clock::now() - start, 1s);
  ending.get();
  EXPECT_TRUE(second.serverPath().isEmpty()) << "it ends as a second start";
  InstanceChannelPosix third(runtime());
  EXPECT_FALSE(third.anotherInstanceRunning()) << "and leaves the lock free";
}

TEST_F(InstanceChannelPosixTest, ACommandOverTheLimitIsNotSentAtAll)
{
  InstanceChannelPosix first(runtime()), second(runtime());
  ASSERT_FALSE(first.anotherInstanceRunning());
  ASSERT_TRUE(second.anotherInstanceRunning());
  RawServer server(first.serverPath());
  const auto start = Clock::now();
  EXPECT_FALSE(second.execute(QString(InstanceProtocol::MaxCommandBytes + 1, u'a')));
  EXPECT_LT(Clock::now() - start, 100ms);
}

#include "app/instance_protocol.h"
#include "app/instance_server_qt.h"
#include "qt_printers.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int connectTo(const QString& path)
{
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray p = QFile::encodeName(path);
  std::memcpy(address.sun_path, p.constData(), size_t(p.size()));
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// What the sender gets back: the acknowledgement byte, 0 for a closed
// connection, -1 when nothing came within `timeoutMs`.
int answerOn(int fd, int timeoutMs)
{
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) != 1)
    return -1;
  char c = 0;
  return ::recv(fd, &c, 1, 0) == 1 ? c : 0;
}

// Sends from another thread, as a second process would, while the test's
// thread runs the event loop.
std::future<int> sendInBackground(const QString& path, const QByteArray& bytes)
{
  return std::async(std::launch::async, [path, bytes] {
    const int fd = connectTo(path);
    if (fd < 0)
      return -2;
    if (::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != bytes.size()) {
      ::close(fd);
      return -3;
    }
    const int answer = answerOn(fd, 3000);
    ::close(fd);
    return answer;
  });
}

template <typename T>
T waitForResult(std::future<T>& f)
{
  EXPECT_TRUE(QTest::qWaitFor([&] { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
  return f.get();
}

class InstanceServerQtTest : public testing::Test {
protected:
  QTemporaryDir dir;
  QString path = dir.filePath("Kelvarino-FormDDE");
  InstanceServerQt server;
  QStringList received;

  void SetUp() override
  {
    ASSERT_TRUE(server.listen(path, [this](const QString& c) { received << c; }));
  }
  // Waits until `count` commands have arrived; false after `ms`.
  bool receivedWithin(qsizetype count, int ms)
  {
    return QTest::qWaitFor([&] { return received.size() >= count; }, ms);
  }
};

} // namespace

TEST(InstanceServerQt, ListensInPlaceOfASocketADeadInstanceLeft)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("Kelvarino-FormDDE");
  {
    // A listening socket whose owner went without removing its file.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, QFile::encodeName(path).constData());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
  }
  ASSERT_TRUE(QFileInfo::exists(path));
  InstanceServerQt server;
  QStringList received;
  ASSERT_TRUE(server.listen(path, [&](const QString& c) { received << c; }));
  auto sent = sendInBackground(path, InstanceProtocol::encode("nor"));
  EXPECT_EQ(waitForResult(sent), InstanceProtocol::Acknowledgement);
  EXPECT_TRUE(QTest::qWaitFor([&] { return received == QStringList{"nor"}; }, 2000));
}

TEST_F(InstanceServerQtTest, EveryCommandIsAcknowledgedAndHandledOnce)
{
  std::vector<std::future<int>> senders;
  QStringList expected;
  for (int i = 0; i < 20; ++i) {
    expected << QStringLiteral("\"/媒体/clip %1.mp4\"").arg(i);
    senders.push_back(sendInBackground(path, InstanceProtocol::encode(expected.last())));
  }
  for (auto& s : senders)
    EXPECT_EQ(waitForResult(s), InstanceProtocol::Acknowledgement);
  ASSERT_TRUE(receivedWithin(20, 3000));
  QTest::qWait(100);
  received.sort();
  expected.sort();
  EXPECT_EQ(received, expected);
}

TEST(InstanceServerQt, NobodyButTheSameUserCanConnect)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("Kelvarino-FormDDE");
  InstanceServerQt server;
  // With no umask to help, the socket's own mode has to keep others out.
  const mode_t umaskBefore = ::umask(0);
  const bool listening = server.listen(path, [](const QString&) {});
  ::umask(umaskBefore);
  ASSERT_TRUE(listening);
  EXPECT_EQ(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                             QFile::WriteOther), QFile::Permissions());
  if (::geteuid() != 0)
    GTEST_SKIP() << "trying another user needs root";
  // Let the other user reach the folder, so that only the socket's own mode
  // stands in its way.
  QFile::setPermissions(dir.path(), QFile::Permissions(0x7755));
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0)
      ::_exit(2);
    ::_exit(connectTo(path) < 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "another user connected";
}

// Two processes write the settings file through MediaFrm::WriteIni while one
// of them is killed with SIGKILL at random moments; after every kill and at
// the end the file must be whole and hold every key whose write returned.
#include "app/media_frm.h"
#include "core/settings_file.h"

#include "temporary_files.h"
#include <QTemporaryDir>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int writers = 2;
constexpr int writesPerWriter = 500;
constexpr int keysPerWriter = 20;

// Write i of writer w sets key w<w>k<i % 20> to i, so every key is replaced
// many times and its last value tells which write put it there.
QString keyOf(int writer, int write)
{
  return QStringLiteral("w%1k%2").arg(writer).arg(write % keysPerWriter);
}

// A writer process: writes `from` .. writesPerWriter - 1 and reports each write
// on `report` (as its index) once WriteIni has returned.
[[noreturn]] void runWriter(int writer, int from, int report)
{
  const MediaFrm form{StartInfo{}, nullptr};
  for (int i = from; i < writesPerWriter; ++i) {
    if (!form.WriteIni(QStringLiteral("Option"), keyOf(writer, i), QString::number(i)))
      _exit(1);
    if (::write(report, &i, sizeof i) != sizeof i)
      _exit(2);
  }
  _exit(0);
}

struct Writer {
  pid_t pid = -1;
  int report = -1;
  int acknowledged = -1; // the last write whose return the parent has heard of
  bool running() const { return pid > 0; }
  bool finished() const { return acknowledged == writesPerWriter - 1; }
};

class SettingsCrash : public testing::Test {
protected:
  void SetUp() override
  {
    qputenv("windir", QFile::encodeName(dir.path()));
    ASSERT_EQ(settingsFilePath(), path);
  }
  void TearDown() override
  {
    for (Writer& w : writer) {
      if (w.running()) {
        ::kill(w.pid, SIGKILL);
        ::waitpid(w.pid, nullptr, 0);
      }
      if (w.report >= 0)
        ::close(w.report);
    }
    qunsetenv("windir");
  }

  void start(int w)
  {
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(fds[0]);
      runWriter(w, writer[w].acknowledged + 1, fds[1]);
    }
    ::close(fds[1]);
    ASSERT_EQ(::fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);
    writer[w].pid = pid;
    writer[w].report = fds[0];
  }

  // Takes in what one writer has reported; false once its end is closed.
  bool drain(int w)
  {
    int index;
    for (;;) {
      const ssize_t n = ::read(writer[w].report, &index, sizeof index);
      if (n == sizeof index)
        writer[w].acknowledged = index;
      else if (n < 0 && errno != EINTR)
        return errno == EAGAIN;
      else if (n >= 0)
        return false;
    }
  }

  // Listens to both writers for `duration`.
  void listen(std::chrono::microseconds duration)
  {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      std::array<pollfd, writers> fds{};
      for (int w = 0; w < writers; ++w)
        fds[w] = {writer[w].running() ? writer[w].report : -1, POLLIN, 0};
      if (::poll(fds.data(), writers, int(std::max<qint64>(left.count(), 0))) <= 0)
        return;
      for (int w = 0; w < writers; ++w) {
        if (fds[w].revents != 0 && !drain(w))
          reap(w);
      }
    }
  }

  // A writer that ended on its own must have ended after its last write.
  void reap(int w)
  {
    int status = 0;
    ASSERT_EQ(::waitpid(writer[w].pid, &status, 0), writer[w].pid);
    writer[w].pid = -1;
    ::close(writer[w].report);
    writer[w].report = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer " << w << " failed a write";
    EXPECT_TRUE(writer[w].finished());
  }

  void killWriter(int w)
  {
    ASSERT_EQ(::kill(writer[w].pid, SIGKILL), 0);
    ASSERT_EQ(::waitpid(writer[w].pid, nullptr, 0), writer[w].pid);
    drain(w);
    writer[w].pid = -1;
    ::close(writer[w].report);
    writer[w].report = -1;
    ++kills;
  }

  // The file as lines "key=value": one header, then each key once.
  std::map<QString, int> parsedFile()
  {
    const QByteArray text = contentOf(path);
    EXPECT_TRUE(text.startsWith("[Option]\r\n") && text.endsWith("\r\n")) << text.toStdString();
    std::map<QString, int> values;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
      const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : QByteArray("no CR LF");
      const qsizetype equals = line.indexOf('=');
      bool number = false;
      const int value = line.mid(equals + 1).toInt(&number);
      EXPECT_TRUE(equals > 0 && number) << "broken line: " << lines[i].toStdString();
      EXPECT_TRUE(values.emplace(QString::fromLatin1(line.first(qMax(equals, 0))), value).second)
          << "key written twice: " << line.toStdString();
    }
    return values;
  }

  // Every key of writer w whose write returned holds the value of its last
  // such write, or of one written later but no later than `latestPossible`:
  // the write a killed writer was in, anything for a writer still running.
  void expectKeysOf(int w, const std::map<QString, int>& file, int latestPossible)
  {
    const int acknowledged = writer[w].acknowledged;
    for (int k = 0; k < keysPerWriter && k <= acknowledged; ++k) {
      const std::string key = keyOf(w, k).toStdString();
      const int last = acknowledged - (acknowledged - k) % keysPerWriter;
      const auto found = file.find(keyOf(w, k));
      ASSERT_NE(found, file.end()) << "lost " << key << " after " << kills << " kills";
      EXPECT_TRUE(found->second >= last && found->second <= latestPossible
                  && found->second % keysPerWriter == k)
          << key << " holds " << found->second << ", last returned write " << last;
    }
  }

  void expectOnlyTheFile()
  {
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("Kelvarino.dat")});
  }

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Kelvarino.dat"));
  std::array<Writer, writers> writer;
  int kills = 0;
};

} // namespace

TEST_F(SettingsCrash, KilledWritersNeverLeaveABrokenFileOrLoseAWriteThatReturned)
{
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pause(0, 10000); // µs
  std::uniform_int_distribution<int> victim(0, writers - 1);

  while (!writer[0].finished() || !writer[1].finished()) {
    for (int w = 0; w < writers; ++w) {
      if (!writer[w].running() && !writer[w].finished())
        start(w);
    }
    listen(std::chrono::microseconds(pause(random)));
    const int w = victim(random);
    if (!writer[w].running())
      continue;
    killWriter(w);
    // Only a kill before any write has returned may find no file yet.
    if (!QFile::exists(path) && writer[0].acknowledged < 0 && writer[1].acknowledged < 0)
      continue;
    const auto file = parsedFile();
    for (int other = 0; other < writers; ++other) {
      const bool stillWriting = writer[other].running();
      expectKeysOf(other, file, stillWriting ? writesPerWriter : writer[other].acknowledged + 1);
    }
    if (HasFailure())
      return;
  }

  const auto file = parsedFile();
  EXPECT_EQ(file.size(), size_t(writers * keysPerWriter));
  for (int w = 0; w < writers; ++w)
    expectKeysOf(w, file, writer[w].acknowledged);
  expectOnlyTheFile();
  // Enough kills that some land inside a write.
  EXPECT_GE(kills, 10);
  RecordProperty("kills", kills);
}

#include "app/termination_qt.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
const int Signals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int)
{
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
  errno = saved;
}

} // namespace

TerminationQt::TerminationQt(std::function<void()> close) : m_close(std::move(close))
{
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return; // the signals keep their default: the process ends at once
  m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &TerminationQt::arrived);
  struct sigaction action = {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : Signals)
    sigaction(s, &action, nullptr);
}

TerminationQt::~TerminationQt()
{
  if (!m_notifier)
    return;
  for (int s : Signals)
    std::signal(s, SIG_DFL);
  ::close(g_pipe[0]);
  ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
}

void TerminationQt::arrived()
{
  char bytes[16];
  while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
  }
  // A second signal, should closing hang, ends the process at once.
  for (int s : Signals)
    std::signal(s, SIG_DFL);
  m_close();
}

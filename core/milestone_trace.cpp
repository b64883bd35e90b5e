#include "core/milestone_trace.h"

#include "core/file_name_bytes.h"
#include <QByteArray>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {

// Field 22 of /proc/self/stat: clock ticks from boot to the process start.
// The command name (field 2) may hold spaces, so count from its closing ")".
double processStartMs()
{
  QFile stat(QStringLiteral("/proc/self/stat"));
  if (!stat.open(QIODevice::ReadOnly))
    return 0;
  const QByteArray text = stat.readAll();
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  constexpr int startTimeAfterName = 22 - 3;
  if (fields.size() <= startTimeAfterName)
    return 0;
  return fields[startTimeAfterName].toDouble() * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double sinceBootMs()
{
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

bool enabled()
{
  static const bool on = std::getenv("KELVARINO_TRACE") != nullptr;
  return on;
}

double msSinceStart()
{
  static const double startMs = processStartMs();
  return sinceBootMs() - startMs;
}

} // namespace

void traceMilestone(const char* milestone)
{
  if (enabled())
    std::fprintf(stderr, "kelvarino-trace %s %.0f\n", milestone, msSinceStart());
}

void traceMilestone(const char* milestone, const QString& detail)
{
  if (!enabled())
    return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long mono = now.tv_sec * 1000000LL + now.tv_nsec / 1000;
  // One line per milestone, and the bytes of a file name as they are.
  const QByteArray text = encodeFileName(detail).replace('\n', "\\n").replace('\0', "\\0");
  std::fprintf(stderr, "kelvarino-trace %s %.0f mono=%lld %s\n", milestone, msSinceStart(), mono,
               text.constData());
}

#include "app/trace.h"

#include <QByteArray>
#include <cstdio>
#include <ctime>

namespace {

long long monotonicMicroseconds()
{
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

// Taken when the library is loaded, before main runs.
const long long started = monotonicMicroseconds();
const bool enabled = !qEnvironmentVariableIsEmpty("KELVARINO_TRACE");

} // namespace

void trace(const char* milestone, const QString& detail)
{
  if (!enabled)
    return;
  const long long now = monotonicMicroseconds();
  // One write per line, so lines of concurrent processes never interleave.
  const QByteArray line = QByteArray("kelvarino-trace ") + milestone + ' ' +
                          QByteArray::number((now - started) / 1000) + " mono=" +
                          QByteArray::number(now) + (detail.isEmpty() ? "" : " ") +
                          detail.toUtf8().replace('\n', "\\n") + '\n';
  std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
  std::fflush(stderr);
}

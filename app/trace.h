#pragma once

#include <QString>

// Milestones for the end-to-end tests and the benchmarks, written to stderr
// only when KELVARINO_TRACE is set, one line each:
//   kelvarino-trace <milestone> <ms since start> mono=<µs of CLOCK_MONOTONIC> [detail]
// The monotonic stamp lets a benchmark compare moments across processes.
void trace(const char* milestone, const QString& detail = {});

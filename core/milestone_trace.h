#pragma once

#include <QString>

// Benchmarks follow start-up through milestones: with KELVARINO_TRACE set in
// the environment, each call prints "kelvarino-trace <milestone> <ms>" to
// stderr, ms counted from the start of the process (not from main, so that
// loading the libraries counts too). Without it, nothing happens.
void traceMilestone(const char* milestone);

// The same with a text on the line (its line breaks shown as "\n") and the
// moment in microseconds of CLOCK_MONOTONIC, the clock other processes can
// compare with: "kelvarino-trace <milestone> <ms> mono=<µs> <detail>".
void traceMilestone(const char* milestone, const QString& detail);

#pragma once

// Benchmarks follow start-up through milestones: with KELVARINO_TRACE set in
// the environment, each call prints "kelvarino-trace <milestone> <ms>" to
// stderr, ms counted from the start of the process (not from main, so that
// loading the libraries counts too). Without it, nothing happens.
void traceMilestone(const char* milestone);

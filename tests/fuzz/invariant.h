#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run the way a sanitizer's finding does, so that
// libFuzzer keeps the input that broke it.
inline void require(bool holds, const char* invariant)
{
  if (holds)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

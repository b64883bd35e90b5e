#include "playback/play_speed.h"

#include <algorithm>
#include <cmath>

namespace PlaySpeed {

namespace {

constexpr double Step = 0.1;
// Tenths computed in binary are a little off (1.2 / 0.1 = 11.999…).
constexpr double Slack = 1e-6;

} // namespace

double bounded(double speed)
{
  if (!std::isfinite(speed))
    return Normal;
  return std::clamp(speed, Minimum, Maximum);
}

// A speed set from outside (1.15, or the lower bound) steps onto the next
// tenth in that direction.
double faster(double speed)
{
  return bounded((std::floor(speed / Step + Slack) + 1) * Step);
}

double slower(double speed)
{
  return bounded((std::ceil(speed / Step - Slack) - 1) * Step);
}

} // namespace PlaySpeed

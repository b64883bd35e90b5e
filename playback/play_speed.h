#pragma once

// The playing speed, 1 for normal. The keys step it by a tenth of normal
// speed; the engine and the desktop's media widgets keep it within bounds.
namespace PlaySpeed {

inline constexpr double Normal = 1.0;
inline constexpr double Minimum = 0.25;
inline constexpr double Maximum = 4.0;

// Within the bounds; a speed that is no number is normal speed.
double bounded(double speed);
// One step up or down, on the tenths, within the bounds.
double faster(double speed);
double slower(double speed);

} // namespace PlaySpeed

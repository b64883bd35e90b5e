#pragma once

#include <cmath>

// Window geometry is kept in twips (1/1440 inch) as single-precision numbers;
// the window adapters convert at a fixed 15 twips per logical pixel.
using Twips = float;
inline constexpr int TwipsPerPixel = 15;

inline int toPixels(double twips)
{
  return int(std::lround(twips / TwipsPerPixel));
}

inline Twips toTwips(int pixels)
{
  return Twips(pixels * TwipsPerPixel);
}

// The player's control bar below the picture: 970 twips, drawn 65 px high.
inline constexpr Twips ControlBarTwips = 970;
inline constexpr int ControlBarPixels = (970 + TwipsPerPixel / 2) / TwipsPerPixel;
static_assert(ControlBarPixels == 65);

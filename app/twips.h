#pragma once

// Window geometry is kept in twips (1/1440 inch) as single-precision numbers;
// the window adapter converts at a fixed 15 twips per logical pixel.
using Twips = float;
inline constexpr int TwipsPerPixel = 15;

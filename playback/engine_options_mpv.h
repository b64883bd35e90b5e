#pragma once

#include "playback/mpv_session_mpv.h"

#include <vector>

// How the player core is set up: no configuration, scripts or key bindings of
// its own, the picture through the render API, sound where there is a device,
// notes and subtitles in a Chinese font.
std::vector<MpvSession::Option> engineOptions();

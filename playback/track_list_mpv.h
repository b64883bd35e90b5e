#pragma once

#include "playback/track_menu.h"

struct mpv_node;

// The audio and subtitle tracks of libmpv's "track-list" property, in its order.
QVector<Track> tracksOf(const mpv_node& trackList);

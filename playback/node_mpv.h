#pragma once

#include <QString>
#include <cstdint>

struct mpv_node;

// Reading libmpv's property trees (track lists, play lists, video
// parameters): a value of the wrong type or a missing key reads as empty.
const mpv_node* nodeField(const mpv_node& map, const char* key);
QString nodeText(const mpv_node& map, const char* key);
int64_t nodeInt(const mpv_node& map, const char* key);
// A number, whole or not; NaN when there is none.
double nodeNumber(const mpv_node& map, const char* key);
bool nodeFlag(const mpv_node& map, const char* key);

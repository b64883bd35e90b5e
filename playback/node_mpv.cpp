#include "playback/node_mpv.h"

#include <cmath>
#include <cstring>
#include <mpv/client.h>

const mpv_node* nodeField(const mpv_node& map, const char* key)
{
  if (map.format != MPV_FORMAT_NODE_MAP)
    return nullptr;
  for (int i = 0; i < map.u.list->num; ++i)
    if (std::strcmp(map.u.list->keys[i], key) == 0)
      return &map.u.list->values[i];
  return nullptr;
}

QString nodeText(const mpv_node& map, const char* key)
{
  const mpv_node* value = nodeField(map, key);
  return value && value->format == MPV_FORMAT_STRING ? QString::fromUtf8(value->u.string) : QString();
}

int64_t nodeInt(const mpv_node& map, const char* key)
{
  const mpv_node* value = nodeField(map, key);
  return value && value->format == MPV_FORMAT_INT64 ? value->u.int64 : 0;
}

double nodeNumber(const mpv_node& map, const char* key)
{
  const mpv_node* value = nodeField(map, key);
  if (value && value->format == MPV_FORMAT_DOUBLE)
    return value->u.double_;
  if (value && value->format == MPV_FORMAT_INT64)
    return double(value->u.int64);
  return std::nan("");
}

bool nodeFlag(const mpv_node& map, const char* key)
{
  const mpv_node* value = nodeField(map, key);
  return value && value->format == MPV_FORMAT_FLAG && value->u.flag;
}

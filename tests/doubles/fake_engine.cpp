#include "fake_engine.h"

MediaItem FakeEngine::video(int w, int h, const QString& source)
{
  MediaItem m;
  m.imageSourceWidth = w;
  m.imageSourceHeight = h;
  m.sourceURL = source;
  m.duration = 10;
  return m;
}

MediaItem FakeEngine::audio(const QString& source)
{
  MediaItem m;
  m.sourceURL = source;
  m.duration = 10;
  return m;
}

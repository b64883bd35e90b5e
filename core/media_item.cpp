#include "core/media_engine.h"

QString MediaItem::getItemInfo(const QString& attribute) const
{
  if (attribute == QLatin1String("Author"))
    return author;
  if (attribute == QLatin1String("Title"))
    return title;
  if (attribute == QLatin1String("sourceURL"))
    return sourceURL;
  return {};
}

void MediaEngine::playPause()
{
  if (playState() == PlayState::Playing)
    pause();
  else
    play();
}

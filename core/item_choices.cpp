#include "core/item_choices.h"

#include <QList>
#include <cmath>

namespace {

std::optional<int> trackNumber(const QByteArray& value, bool offAllowed)
{
  if (offAllowed && value == "off")
    return 0;
  bool isNumber = false;
  const int id = value.toInt(&isNumber);
  if (!isNumber || id < 1 || id > ItemChoices::HighestTrack)
    return std::nullopt;
  return id;
}

} // namespace

void ItemChoices::update(const ItemChoices& newer)
{
  if (newer.audio)
    audio = newer.audio;
  if (newer.subtitle)
    subtitle = newer.subtitle;
  if (newer.subtitleDelay)
    subtitleDelay = newer.subtitleDelay;
}

QByteArray ItemChoices::text() const
{
  QList<QByteArray> words;
  if (audio)
    words << "audio=" + QByteArray::number(*audio);
  if (subtitle)
    words << "sub=" + (*subtitle == 0 ? QByteArray("off") : QByteArray::number(*subtitle));
  if (subtitleDelay)
    words << "delay=" + QByteArray::number(*subtitleDelay, 'f', 3);
  return words.join(' ');
}

std::optional<ItemChoices> ItemChoices::fromText(const QByteArray& text)
{
  ItemChoices choices;
  for (const QByteArray& word : text.split(' ')) {
    const qsizetype equals = word.indexOf('=');
    if (equals <= 0)
      return std::nullopt;
    const QByteArray name = word.first(equals), value = word.sliced(equals + 1);
    if (name == "audio") {
      choices.audio = trackNumber(value, false);
      if (!choices.audio)
        return std::nullopt;
    } else if (name == "sub") {
      choices.subtitle = trackNumber(value, true);
      if (!choices.subtitle)
        return std::nullopt;
    } else if (name == "delay") {
      bool isNumber = false;
      const double delay = value.toDouble(&isNumber);
      if (!isNumber || !std::isfinite(delay) || std::abs(delay) > LongestDelay)
        return std::nullopt;
      choices.subtitleDelay = delay;
    }
  }
  return choices;
}

#pragma once

#include "core/media_engine.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What the picture area shows for an item without a picture and without
// cover art: its title and artist from its tags, or its file name. Tags come
// from the file and may hold anything; the card holds them as single lines.
struct AudioCard {
  QString title;  // the title tag, or the file name (the whole URL of a stream)
  QString artist; // empty when the item names none

  bool operator==(const AudioCard&) const = default;
};

AudioCard audioCardOf(const MediaItem& item);
// The card the picture shows in `playState`: one for an item that has
// started and shows no picture of its own, cover art included; none otherwise.
std::optional<AudioCard> audioCardFor(int playState, const std::optional<MediaItem>& item);

// The card as the lines of an ASS overlay for a picture area of `width` ×
// `height` pixels, the overlay's own resolution: centred, the title above the
// artist, sizes that follow the height but stay legible, and each line cut
// with "…" to the width. Nothing in a tag can act as formatting.
QByteArray audioCardEvents(const AudioCard& card, int width, int height);

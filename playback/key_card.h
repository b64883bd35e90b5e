#pragma once

#include "core/overlay_card.h"
#include "playback/player_keys.h"

#include <QVector>
#include <vector>

// The card of the player's keys that `?` and F1 show over the picture, made
// from the key map itself: every key of the map is on it and nothing else.
namespace KeyCard {

// The groups in the card's order, each with one row per action: its keys,
// then what it does.
QVector<CardSection> sections(const std::vector<KeyBinding>& map = playerKeyMap());
// How a key reads on the card: "s", "Shift+S", "←", "空格". A symbol reads as the
// symbol whether the keyboard types it with Shift or without.
QString keyText(int key, Qt::KeyboardModifiers modifiers);

} // namespace KeyCard

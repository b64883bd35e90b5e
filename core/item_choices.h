#pragma once

#include <QByteArray>
#include <optional>

// What a person chose for one item, kept beside its resume position: the
// audio track, the subtitle track (0 for none) and the subtitle delay. What
// was never chosen stays unset, and the item opens with the engine's own pick.
struct ItemChoices {
  // Track numbers as the engine counts them, per kind from 1.
  static constexpr int HighestTrack = 9999;
  static constexpr double LongestDelay = 600; // seconds, either way

  std::optional<int> audio;
  std::optional<int> subtitle;
  std::optional<double> subtitleDelay;

  bool isEmpty() const { return !audio && !subtitle && !subtitleDelay; }
  // `newer`'s choices over these.
  void update(const ItemChoices& newer);
  bool operator==(const ItemChoices&) const = default;

  // "audio=2 sub=off delay=-0.300": only what is set, ASCII without tabs.
  QByteArray text() const;
  // Reads text(); nothing when a field we know is damaged or out of bounds.
  // Words of later versions are passed over.
  static std::optional<ItemChoices> fromText(const QByteArray& text);
};

#pragma once

#include <optional>

// The seeks a player core is sent, one at a time. A core that is handed a
// seek while it decodes the one before starts over, and one that is handed
// them as fast as a pointer moves shows nothing until the pointer stops; so
// a seek is sent only once the one before has put its picture up, and of the
// times asked for meanwhile only the newest follows.
//
// A picture at a keyframe (the one at or before the time) comes from one
// decoded frame; the exact picture from every frame after that keyframe, up
// to a whole keyframe interval of them. So an exact seek goes first to the
// keyframe, which shows at once, and then to the time itself; except a short
// step forward, whose keyframe would lie behind the picture it leaves.
class SeekQueue {
public:
  enum class Want {
    Nearby,          // the keyframe's picture is enough (a moving pointer)
    Exact,           // the time itself, straight away
    QuickThenExact,  // the keyframe's picture first, where that is ahead
  };
  struct Seek {
    double seconds = 0;
    bool exact = false;
    bool operator==(const Seek&) const = default;
  };

  // Asks for the picture at `seconds`, leaving the one at `from`; the seek to
  // send now, or none while one is on its way.
  std::optional<Seek> ask(double seconds, Want want, double from);
  // The seek on its way has put up its picture, of the time `at` (unknown:
  // a negative number); the next seek to send, if any.
  std::optional<Seek> landed(double at);
  // Nothing is on its way any more, and the keyframes of the next item are
  // not those of this one.
  void reset();

  bool busy() const { return m_sent.has_value(); }
  // The newest time asked for.
  double target() const { return m_wanted.seconds; }

private:
  std::optional<Seek> next();

  struct Wanted {
    double seconds = 0;
    Want want = Want::Nearby;
    double from = 0;
  } m_wanted;
  std::optional<Seek> m_sent;
  std::optional<Seek> m_shown; // the last seek that put up its picture
  // The longest way seen from a time back to its keyframe: a step forward
  // shorter than it may find its keyframe behind the picture it leaves.
  double m_longestGap = 0;
};

#pragma once

// Full screen is the window's: it switches it, follows the window manager's
// own changes and knows the state; the player only asks.
class FullScreenHost {
public:
  virtual ~FullScreenHost() = default;
  virtual void setPlayerFullScreen(bool on) = 0;
  virtual bool playerFullScreen() const = 0;
};

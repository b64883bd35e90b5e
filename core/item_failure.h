#pragma once

// Why the engine could not open or play an item, as far as it tells.
struct ItemFailure {
  enum class Cause {
    LoadingFailed,  // could not be read or reached
    UnknownFormat,  // read, but not a format the engine knows
    NothingToPlay,  // opened, but held no sound or picture to play
    OutputFailed,   // no device to play the sound or show the picture on
    ListsItself,    // a play list entry that is one of the lists it came from
    NestedTooDeep,  // a play list entry nested in too many lists
    Other,
  };
  // What an address's server said, or failed to say, while it was opened.
  struct Network {
    int httpStatus = 0;      // an HTTP error status, 0 for none
    bool hostUnknown = false;
    bool refused = false;    // nobody listens there
    bool noAnswer = false;   // the server stayed silent until the engine gave up
    bool cannotSeek = false; // it sends the file only from its start
  };

  Cause cause = Cause::Other;
  Network network;
};

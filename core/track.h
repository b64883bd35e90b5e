#pragma once

#include <QString>

// One audio or subtitle track of the current item, as the engine lists them.
struct Track {
  enum class Kind { Audio, Subtitle };
  Kind kind = Kind::Audio;
  int id = 0;        // the engine's number, counted per kind from 1
  QString language;  // a code such as "chi", "en" or "zh-CN"; may be empty
  QString title;     // may be empty; a loaded file's name for subtitle files
  bool selected = false;
};

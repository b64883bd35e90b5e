#pragma once

#include "playback/load_hook_mpv.h"

#include <QString>

struct mpv_handle;

// Loads the subtitle files beside each local media file that belong to it
// (SubtitleFiles), read in the code page SubtitleEncoding chooses. libmpv's
// own search would take "ep10.srt" for "ep1.mp4" and its detection misreads a
// cue or two of GBK. It hooks every load on a client of its own, answered on
// its own thread, and sets the files as options of that file only, before
// libmpv opens it: they load and are chosen as files given with the media.
class SubtitleFilesMpv {
public:
  explicit SubtitleFilesMpv(mpv_handle* core);

private:
  static void loading(mpv_handle* client, const QString& source);

  LoadHookMpv m_hook;
};

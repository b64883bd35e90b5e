#pragma once

#include <atomic>
#include <thread>

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
  ~SubtitleFilesMpv();
  SubtitleFilesMpv(const SubtitleFilesMpv&) = delete;
  SubtitleFilesMpv& operator=(const SubtitleFilesMpv&) = delete;

private:
  void run();
  void loading();

  mpv_handle* m_client;
  std::atomic_bool m_stopping{false};
  std::thread m_thread;
};

#include "playback/play_state_table.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

// Event sequences recorded from libmpv 0.35 (render API, ao=null) under Xvfb,
// milliseconds on the left. Lines starting with ">>" are what the recorder
// asked for: "loadfile" is our load request (UrlSet), the other requests show
// up only through the events that follow them. mpv's video-reconfig and
// audio-reconfig events are left out: they carry no play state.
namespace {

struct Recording {
  const char* name;
  const char* log;
  std::vector<int> states;
};

const Recording recordings[] = {
  // open a clip
  {"open", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    72  (render context ready)
    76  >> set pause=no
    76  >> loadfile /tmp/rec/media/clip.mp4
    76  start-file
    76  property idle-active=no
   101  file-loaded
   101  property paused-for-cache=no
   117  playback-restart
)", {10, 9, 3}},
  // pause, resume, stop
  {"pause-resume-stop", R"(
    16  idle
    16  property pause=no
    16  property paused-for-cache=?
    16  property idle-active=yes
    72  (render context ready)
    78  >> set pause=no
    79  >> loadfile /tmp/rec/media/clip.mp4
    83  start-file
    83  property idle-active=no
   108  file-loaded
   108  property paused-for-cache=no
   123  playback-restart
   780  >> set pause=yes
   780  property pause=yes
  1079  >> set pause=no
  1080  property pause=no
  1379  >> stop
  1381  end-file reason=stop
  1409  idle
  1409  property paused-for-cache=?
  1409  property idle-active=yes
)", {10, 9, 3, 2, 3, 1}},
  // play a clip to its end
  {"eof", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    72  (render context ready)
    76  >> set pause=no
    76  >> loadfile /tmp/rec/media/clip.mp4
   105  start-file
   105  file-loaded
   105  property paused-for-cache=no
   105  property idle-active=no
   122  playback-restart
  2115  end-file reason=eof
  2115  idle
  2115  property paused-for-cache=?
  2115  property idle-active=yes
)", {10, 9, 3, 8, 1}},
  // a second file while one plays
  {"second", R"(
    16  idle
    16  property pause=no
    16  property paused-for-cache=?
    16  property idle-active=yes
    75  (render context ready)
    80  >> set pause=no
    80  >> loadfile /tmp/rec/media/clip.mp4
    82  start-file
    82  property idle-active=no
   102  file-loaded
   102  property paused-for-cache=no
   119  playback-restart
   881  >> set pause=no
   881  >> loadfile /tmp/rec/media/clip2.mp4
   882  end-file reason=stop
   882  start-file
   882  property paused-for-cache=?
   904  file-loaded
   904  property paused-for-cache=no
   920  playback-restart
)", {10, 9, 3, 9, 3}},
  // a two-item CRLF .m3u list advancing
  {"m3u", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    73  (render context ready)
    77  >> set pause=no
    78  >> loadfile /tmp/rec/media/list.m3u
   108  start-file
   108  end-file reason=redirect
   108  start-file
   108  file-loaded
   108  property paused-for-cache=no
   108  property idle-active=no
   125  playback-restart
  2120  end-file reason=eof
  2120  start-file
  2120  file-loaded
  2120  property paused-for-cache=no
  2136  playback-restart
  4139  end-file reason=eof
  4139  idle
  4139  property paused-for-cache=?
  4139  property idle-active=yes
)", {10, 9, 3, 8, 9, 3, 8, 1}},
  // a nonexistent path
  {"missing", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    68  (render context ready)
    71  >> set pause=no
    71  >> loadfile /tmp/rec/media/nothing-here.mp4
    72  start-file
    72  end-file reason=error error=loading failed
    72  idle
    72  property idle-active=yes
)", {10, 9, 1}},
  // an unreachable http URL (nothing listens on port 9)
  {"http", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    71  (render context ready)
    75  >> set pause=no
    75  >> loadfile http://127.0.0.1:9/x.mp4
    94  start-file
    94  end-file reason=error error=loading failed
    94  idle
    94  property idle-active=yes
)", {10, 9, 1}},
  // an audio-only mp3 (idle comes 445 ms after its end: the audio output drains)
  {"mp3", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    73  (render context ready)
    80  >> set pause=no
    80  >> loadfile /tmp/rec/media/tone.mp3
    80  start-file
    80  property idle-active=no
   103  file-loaded
   103  playback-restart
   103  property paused-for-cache=no
   685  end-file reason=eof
  1130  idle
  1130  property paused-for-cache=?
  1130  property idle-active=yes
)", {10, 9, 3, 8, 1}},
  // the same file loaded again after it ended
  {"replay", R"(
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    71  (render context ready)
    79  >> set pause=no
    79  >> loadfile /tmp/rec/media/clip.mp4
    79  start-file
    80  property idle-active=no
   102  file-loaded
   102  property paused-for-cache=no
   122  playback-restart
  2104  end-file reason=eof
  2104  idle
  2104  property paused-for-cache=?
  2104  property idle-active=yes
  2961  >> set pause=no
  2961  >> loadfile /tmp/rec/media/clip.mp4
  2964  start-file
  2964  property idle-active=no
  2968  file-loaded
  2971  property paused-for-cache=no
  2982  playback-restart
)", {10, 9, 3, 8, 1, 9, 3}},
  // a second file while the first is paused
  {"paused-second", R"(
    15  idle
    16  property pause=no
    16  property paused-for-cache=?
    16  property idle-active=yes
    73  (render context ready)
    79  >> set pause=no
    79  >> loadfile /tmp/rec/media/clip.mp4
    82  start-file
    82  property idle-active=no
   105  file-loaded
   105  property paused-for-cache=no
   120  playback-restart
   580  >> set pause=yes
   580  property pause=yes
   881  >> set pause=no
   882  >> loadfile /tmp/rec/media/clip2.mp4
   883  property pause=no
   883  end-file reason=stop
   883  start-file
   883  property paused-for-cache=?
   894  file-loaded
   894  property paused-for-cache=no
   906  playback-restart
)", {10, 9, 3, 2, 9, 3}},
  // pause, stop, load again
  {"paused-stop-load", R"(
    19  idle
    20  property pause=no
    20  property paused-for-cache=?
    20  property idle-active=yes
    82  (render context ready)
    86  >> set pause=no
    86  >> loadfile /tmp/rec/media/clip.mp4
    86  start-file
    86  property idle-active=no
   111  file-loaded
   111  property paused-for-cache=no
   130  playback-restart
   587  >> set pause=yes
   587  property pause=yes
   788  >> stop
   798  end-file reason=stop
   798  idle
   798  property paused-for-cache=?
   798  property idle-active=yes
   987  >> set pause=no
   987  >> loadfile /tmp/rec/media/clip.mp4
   987  property pause=no
   987  start-file
   987  property idle-active=no
   995  file-loaded
   997  property paused-for-cache=no
  1006  playback-restart
)", {10, 9, 3, 2, 1, 9, 3}},
  // an http source that stalls for 3 s mid-file
  {"stall", R"(
    16  idle
    16  property pause=no
    16  property paused-for-cache=?
    16  property idle-active=yes
    73  (render context ready)
    76  >> set pause=no
    77  >> loadfile http://127.0.0.1:8765/long.mp4
    77  start-file
    77  property idle-active=no
    99  file-loaded
   116  playback-restart
   116  property paused-for-cache=no
  2340  property paused-for-cache=yes
  3087  property paused-for-cache=no
  6848  end-file reason=eof
  6848  idle
  6848  property paused-for-cache=?
  6848  property idle-active=yes
)", {10, 9, 3, 6, 3, 8, 1}},
  // setURL during start-up, before the window is shown: the engine queues the
  // load until its render context exists, and mpv's first idle is drained
  // only after it. The mpv events are those of "open".
  {"url-before-render-context", R"(
     0  >> loadfile /tmp/rec/media/clip.mp4
    15  idle
    15  property pause=no
    15  property paused-for-cache=?
    15  property idle-active=yes
    72  (render context ready)
    76  start-file
    76  property idle-active=no
   101  file-loaded
   101  property paused-for-cache=no
   117  playback-restart
)", {9, 3}},
};

// The same translation the libmpv adapter makes; "idle" (mpv's deprecated
// idle event) is left out because the adapter watches idle-active instead.
std::optional<EngineEvent> eventOf(const QString& line)
{
  using enum EngineEvent;
  if (line.startsWith(QLatin1String(">> loadfile")))
    return UrlSet;
  if (line == QLatin1String("(render context ready)"))
    return RenderContextReady;
  if (line == QLatin1String("start-file"))
    return StartFile;
  if (line == QLatin1String("file-loaded"))
    return FileLoaded;
  if (line == QLatin1String("playback-restart"))
    return PlaybackRestart;
  if (line == QLatin1String("property pause=yes"))
    return PauseOn;
  if (line == QLatin1String("property pause=no"))
    return PauseOff;
  if (line == QLatin1String("property paused-for-cache=yes"))
    return CacheWaitOn;
  if (line.startsWith(QLatin1String("property paused-for-cache=")))
    return CacheWaitOff; // "no", or "?" when no file is loaded
  if (line == QLatin1String("property idle-active=yes"))
    return Idle;
  const QString endFile = QStringLiteral("end-file reason=");
  if (line.startsWith(endFile)) {
    const QString reason = line.mid(endFile.size()).section(u' ', 0, 0);
    if (reason == QLatin1String("eof"))
      return EndFileEof;
    if (reason == QLatin1String("stop"))
      return EndFileStop;
    if (reason == QLatin1String("error"))
      return EndFileError;
    if (reason == QLatin1String("redirect"))
      return EndFileRedirect;
    if (reason == QLatin1String("quit"))
      return EndFileQuit;
  }
  return std::nullopt;
}

std::vector<int> replay(PlayStateTable& table, const char* log)
{
  std::vector<int> states;
  for (const QString& raw : QString::fromUtf8(log).split(u'\n', Qt::SkipEmptyParts)) {
    const QString line = raw.trimmed().section(u' ', 1).trimmed(); // drop the time
    if (const auto event = eventOf(line))
      if (const auto state = table.apply(*event))
        states.push_back(*state);
  }
  return states;
}

} // namespace

TEST(PlayStateTable, RecordedSequencesGiveTheDesignedStates)
{
  for (const Recording& r : recordings) {
    PlayStateTable table;
    EXPECT_EQ(replay(table, r.log), r.states) << r.name;
  }
}

TEST(PlayStateTable, StartsUndefinedAndIsReadyOnlyOnceTheRenderContextExists)
{
  PlayStateTable table;
  EXPECT_EQ(table.state(), 0);
  EXPECT_EQ(table.apply(EngineEvent::Idle), std::nullopt);
  EXPECT_EQ(table.apply(EngineEvent::RenderContextReady), 10);
}

TEST(PlayStateTable, NeverReadyAgainOnceSomethingWasLoaded)
{
  // Ready makes the window call play(); a stopped engine that came back to
  // ready would be told to play again and again.
  PlayStateTable table;
  replay(table, recordings[0].log);
  EXPECT_EQ(table.apply(EngineEvent::EndFileStop), std::nullopt);
  EXPECT_EQ(table.apply(EngineEvent::Idle), 1);
  EXPECT_EQ(table.apply(EngineEvent::Idle), std::nullopt);
  EXPECT_EQ(table.apply(EngineEvent::RenderContextReady), std::nullopt);
  EXPECT_EQ(table.state(), 1);
}

TEST(PlayStateTable, PauseWhileLoadingShowsOnlyOnceTheFilePlays)
{
  PlayStateTable table;
  table.apply(EngineEvent::UrlSet);
  table.apply(EngineEvent::StartFile);
  EXPECT_EQ(table.apply(EngineEvent::PauseOn), std::nullopt);
  EXPECT_EQ(table.apply(EngineEvent::PlaybackRestart), 2);
  EXPECT_EQ(table.apply(EngineEvent::CacheWaitOn), 6);
  EXPECT_EQ(table.apply(EngineEvent::CacheWaitOff), 2);
}

TEST(PlayStateTable, WaitingForDataBeforeTheFirstFrameIsBuffering)
{
  PlayStateTable table;
  table.apply(EngineEvent::UrlSet);
  table.apply(EngineEvent::StartFile);
  EXPECT_EQ(table.apply(EngineEvent::CacheWaitOn), 6);
  EXPECT_EQ(table.apply(EngineEvent::CacheWaitOff), 9);
  EXPECT_EQ(table.apply(EngineEvent::PlaybackRestart), 3);
}

// What a person changes with the keys and the wheel, shown as a brief note
// over the picture; and the playing speed.
#include "playback/engine_mpv.h"

#include "playback/on_screen_notes.h"
#include "playback/play_speed.h"
#include <mpv/client.h>

void EngineMpv::setUpNotes()
{
  // Notes keep one size whatever the picture's: scaled with it they would be
  // unreadable over the low picture of an audio item and huge in full screen.
  const char* fixed = "no";
  mpv_set_property_async(m_mpv, 0, "osd-scale-by-window", MPV_FORMAT_STRING, &fixed);
  int64_t pixels = NotePixels;
  mpv_set_property_async(m_mpv, 0, "osd-font-size", MPV_FORMAT_INT64, &pixels);
}

void EngineMpv::changeVolumeBy(int step)
{
  setVolume(m_volume + step);
  showNote(OnScreenNotes::volume(m_volume));
}

void EngineMpv::toggleMute()
{
  setMute(!m_mute);
  showNote(OnScreenNotes::mute(m_mute));
}

void EngineMpv::seekBy(double seconds)
{
  if (!hasItem())
    return;
  setCurrentPosition(currentPosition() + seconds);
  showNote(OnScreenNotes::seek(currentPosition(), m_properties.duration, seconds > 0));
}

void EngineMpv::startOver()
{
  if (!hasItem())
    return;
  setCurrentPosition(0);
  // Also replaces a resume note that would otherwise say where it resumed.
  showNote(OnScreenNotes::startOver());
}

void EngineMpv::changeRate(double rate)
{
  setRate(rate);
  showNote(OnScreenNotes::speed(m_rate));
}

void EngineMpv::setRate(double rate)
{
  rate = PlaySpeed::bounded(rate);
  if (rate == m_rate)
    return;
  m_rate = rate;
  // The speed is the player's, not the item's: it holds for the next one too.
  mpv_set_property_async(m_mpv, 0, "speed", MPV_FORMAT_DOUBLE, &rate);
  emit rateChanged(rate);
}

// What a person changes with the keys and the wheel, shown as a brief note
// over the picture; and the playing speed.
#include "playback/engine_mpv.h"

#include "playback/on_screen_notes.h"
#include "playback/play_speed.h"
#include <mpv/client.h>

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

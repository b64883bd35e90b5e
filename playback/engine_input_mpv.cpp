// The player control's own mouse and keys: a press over the picture is the
// control's MouseDown event, and the keys of a player work while it has the focus.
#include "playback/engine_mpv.h"

#include "playback/player_view_qt.h"
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

int shiftBits(Qt::KeyboardModifiers modifiers)
{
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
       | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

void EngineMpv::emitMouseDown(QMouseEvent* event)
{
  m_view->setFocus(Qt::MouseFocusReason);
  int button = 0;
  switch (event->button()) {
  case Qt::LeftButton: button = 1; break;
  case Qt::RightButton: button = 2; break;
  case Qt::MiddleButton: button = 4; break;
  default: return;
  }
  const QPointF at = event->position();
  emit MouseDown(button, shiftBits(event->modifiers()), float(at.x()), float(at.y()));
}

bool EngineMpv::eventFilter(QObject* watched, QEvent* event)
{
  // The type first: the view sends events while it is being destroyed, and
  // reading the guarded pointer then would cast a half-destroyed widget.
  if (event->type() == QEvent::KeyPress && watched == m_view) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A symbol such as # takes Shift on many layouts; the symbol is the key.
    const bool symbol = key->key() <= Qt::Key_AsciiTilde && !key->text().isEmpty()
                     && !key->text().front().isLetterOrNumber();
    const Qt::KeyboardModifiers ignored =
        Qt::KeypadModifier | (symbol ? Qt::ShiftModifier : Qt::NoModifier);
    if ((key->modifiers() & ~ignored) == Qt::NoModifier)
      return keyPressed(key->key());
  }
  return MediaEngine::eventFilter(watched, event);
}

bool EngineMpv::keyPressed(int key)
{
  switch (key) {
  case Qt::Key_Space:
    if (playState() == PlayState::Playing)
      pause();
    else
      play();
    return true;
  case Qt::Key_Left: setCurrentPosition(currentPosition() - 5); return true;
  case Qt::Key_Right: setCurrentPosition(currentPosition() + 5); return true;
  case Qt::Key_Up: setVolume(m_volume + VolumeStep); return true;
  case Qt::Key_Down: setVolume(m_volume - VolumeStep); return true;
  case Qt::Key_M: setMute(!m_mute); return true;
  case Qt::Key_F: setFullScreen(!m_fullScreen); return true;
  case Qt::Key_Escape: setFullScreen(false); return true;
  case Qt::Key_NumberSign: cycleTrack(Track::Kind::Audio); return true;
  case Qt::Key_J: cycleTrack(Track::Kind::Subtitle); return true;
  case Qt::Key_V: toggleSubtitles(); return true;
  default: return false;
  }
}

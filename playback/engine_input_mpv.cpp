// The player control's own mouse and keys: a press over the picture is the
// control's MouseDown event, and the keys of a player work while its window is active.
#include "playback/engine_mpv.h"

#include "playback/play_speed.h"
#include "playback/player_view_qt.h"
#include <QApplication>
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
  // The player's keys work whenever its window is active, whichever of the
  // window's widgets has the focus: the press is taken where it is delivered
  // first, at the focus widget or, with none, at the window. The type first:
  // the view sends events while it is being destroyed.
  if (event->type() == QEvent::KeyPress && m_view && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget->window() == m_view->window() && widget == (focus ? focus : widget->window()))
      return keyPressed(playerKey(static_cast<QKeyEvent*>(event)->key(),
                                  static_cast<QKeyEvent*>(event)->modifiers()));
  }
  return MediaEngine::eventFilter(watched, event);
}

bool EngineMpv::keyPressed(PlayerKey key)
{
  switch (key) {
  case PlayerKey::None:
    return false;
  case PlayerKey::PlayPause:
    if (playState() == PlayState::Playing)
      pause();
    else
      play();
    break;
  case PlayerKey::SeekBack: seekBy(-5); break;
  case PlayerKey::SeekForward: seekBy(5); break;
  case PlayerKey::StepBack: seekBy(-1); break;
  case PlayerKey::StepForward: seekBy(1); break;
  case PlayerKey::StartOver: startOver(); break;
  case PlayerKey::VolumeUp: changeVolumeBy(VolumeStep); break;
  case PlayerKey::VolumeDown: changeVolumeBy(-VolumeStep); break;
  case PlayerKey::Mute: toggleMute(); break;
  case PlayerKey::FullScreen: setFullScreen(!m_fullScreen); break;
  case PlayerKey::LeaveFullScreen: setFullScreen(false); break;
  case PlayerKey::Slower: changeRate(PlaySpeed::slower(m_rate)); break;
  case PlayerKey::Faster: changeRate(PlaySpeed::faster(m_rate)); break;
  case PlayerKey::NormalSpeed: changeRate(PlaySpeed::Normal); break;
  case PlayerKey::NextAudioTrack: cycleTrack(Track::Kind::Audio); break;
  case PlayerKey::NextSubtitle: cycleTrack(Track::Kind::Subtitle); break;
  case PlayerKey::ToggleSubtitles: toggleSubtitles(); break;
  }
  return true;
}

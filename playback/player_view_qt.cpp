#include "playback/player_view_qt.h"

#include "playback/control_bar_qt.h"

#include <QVBoxLayout>

namespace {

// The bar shows while the mouse is this close to the bottom of the screen...
constexpr int revealDistance = 2 * ControlBarQt::Height;
// ...and hides when the mouse has rested this long.
constexpr int hideAfterMs = 2000;

} // namespace

PlayerViewQt::PlayerViewQt(QWidget* video, QWidget* parent)
    : QWidget(parent), m_video(video), m_bar(new ControlBarQt(this))
{
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  video->setParent(this);
  // The picture is a native window; only another native window can float
  // over it in full screen.
  m_bar->setAttribute(Qt::WA_NativeWindow);
  m_layout = new QVBoxLayout(this);
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
  m_layout->addWidget(video, 1);
  m_layout->addWidget(m_bar);
  // 9015 x 5410 twips, the control's size in a new window.
  resize(601, 361);

  m_hideBar.setSingleShot(true);
  m_hideBar.setInterval(hideAfterMs);
  connect(&m_hideBar, &QTimer::timeout, this, [this] {
    if (m_bar->underMouse())
      m_hideBar.start();
    else
      m_bar->hide();
  });
}

bool PlayerViewQt::barFloats() const
{
  return m_layout->indexOf(m_bar) < 0;
}

void PlayerViewQt::layOutFullScreen(bool on)
{
  if (on == barFloats())
    return;
  if (on) {
    m_layout->removeWidget(m_bar);
    m_bar->hide();
    raise();
  } else {
    m_hideBar.stop();
    m_layout->addWidget(m_bar);
    m_bar->show();
  }
}

void PlayerViewQt::placeFloatingBar()
{
  m_bar->setGeometry(0, height() - ControlBarQt::Height, width(), ControlBarQt::Height);
  m_bar->raise();
}

void PlayerViewQt::mouseMovedOverVideo(QPoint position)
{
  if (!barFloats())
    return;
  if (position.y() >= m_video->height() - revealDistance) {
    placeFloatingBar();
    m_bar->show();
  }
  if (m_bar->isVisible())
    m_hideBar.start();
}

void PlayerViewQt::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  if (barFloats())
    placeFloatingBar();
}

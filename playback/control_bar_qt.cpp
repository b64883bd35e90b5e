#include "playback/control_bar_qt.h"

#include "playback/clock_text.h"
#include "playback/track_buttons_qt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QColor glyphColour(0xe6, 0xe8, 0xeb);

enum class Glyph { Play, Pause, Stop, Previous, Next, Speaker, SpeakerMuted };

// Simple glyphs drawn on a 24-unit grid, so they stay sharp at any scale.
QIcon glyphIcon(Glyph glyph)
{
  constexpr int size = 48; // two device pixels per unit of the grid
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 24.0, size / 24.0);
  p.setPen(Qt::NoPen);
  p.setBrush(glyphColour);
  QPainterPath path;
  switch (glyph) {
  case Glyph::Play:
    path.moveTo(7, 4.5); path.lineTo(19.5, 12); path.lineTo(7, 19.5); path.closeSubpath();
    break;
  case Glyph::Pause:
    path.addRoundedRect(6, 4.5, 4, 15, 1, 1);
    path.addRoundedRect(14, 4.5, 4, 15, 1, 1);
    break;
  case Glyph::Stop:
    path.addRoundedRect(6, 6, 12, 12, 1.5, 1.5);
    break;
  case Glyph::Previous:
    path.addRect(5, 6, 2.5, 12);
    path.moveTo(19, 6); path.lineTo(9, 12); path.lineTo(19, 18); path.closeSubpath();
    break;
  case Glyph::Next:
    path.addRect(16.5, 6, 2.5, 12);
    path.moveTo(5, 6); path.lineTo(15, 12); path.lineTo(5, 18); path.closeSubpath();
    break;
  case Glyph::Speaker:
  case Glyph::SpeakerMuted:
    path.moveTo(3.5, 9); path.lineTo(7.5, 9); path.lineTo(12.5, 4.5); path.lineTo(12.5, 19.5);
    path.lineTo(7.5, 15); path.lineTo(3.5, 15); path.closeSubpath();
    break;
  }
  p.drawPath(path);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(glyphColour, 1.8, Qt::SolidLine, Qt::RoundCap));
  if (glyph == Glyph::Speaker) {
    p.drawArc(QRectF(9.5, 8, 8, 8), -50 * 16, 100 * 16);
    p.drawArc(QRectF(8, 5, 13, 14), -50 * 16, 100 * 16);
  } else if (glyph == Glyph::SpeakerMuted) {
    p.drawLine(QPointF(15.5, 9), QPointF(21, 15));
    p.drawLine(QPointF(21, 9), QPointF(15.5, 15));
  }
  p.end();
  pixmap.setDevicePixelRatio(2);
  return QIcon(pixmap);
}

// A click on the groove jumps there at once, as media players do.
class JumpToClickStyle : public QProxyStyle {
public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override
  {
    if (hint == SH_Slider_AbsoluteSetButtons)
      return Qt::LeftButton;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

const char* const barStyleSheet = R"(
ControlBarQt {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2b2e33, stop:1 #1b1d20);
  border-top: 1px solid #3a3e44;
}
QToolButton { border: none; border-radius: 4px; padding: 3px; background: transparent; }
QToolButton:hover { background: #3a3f46; }
QToolButton:pressed { background: #4a5059; }
QLabel { color: #c9cdd2; }
QSlider::groove:horizontal { height: 4px; border-radius: 2px; background: #4a4f56; }
QSlider::sub-page:horizontal { border-radius: 2px; background: #3d8fe0; }
QSlider::handle:horizontal {
  width: 12px; height: 12px; margin: -4px 0; border-radius: 6px; background: #e6e8eb;
}
QSlider::handle:horizontal:hover { background: #ffffff; }
QSlider::sub-page:horizontal:disabled { background: #4a4f56; }
QSlider::handle:horizontal:disabled { background: #6a6f76; }
)";

} // namespace

ControlBarQt::ControlBarQt(QWidget* parent) : QWidget(parent)
{
  setAttribute(Qt::WA_StyledBackground);
  setFixedHeight(Height);
  setStyleSheet(QLatin1String(barStyleSheet));
  setFocusPolicy(Qt::NoFocus);

  m_seek = new QSlider(Qt::Horizontal, this);
  auto* jumpToClick = new JumpToClickStyle;
  jumpToClick->setParent(this);
  m_seek->setStyle(jumpToClick);
  m_seek->setFocusPolicy(Qt::NoFocus);
  m_seek->setEnabled(false);
  connect(m_seek, &QSlider::sliderMoved, this, [this](int ms) { showTimes(ms / 1000.0, m_duration); });
  connect(m_seek, &QSlider::sliderReleased, this, [this] { emit seekRequested(m_seek->value() / 1000.0); });

  m_time = new QLabel(this);
  m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("0:00:00 / 0:00:00")));
  m_volume = new QSlider(Qt::Horizontal, this);
  m_volume->setRange(0, 100);
  m_volume->setFixedWidth(90);
  m_volume->setStyle(jumpToClick);
  m_volume->setFocusPolicy(Qt::NoFocus);
  connect(m_volume, &QSlider::valueChanged, this, &ControlBarQt::volumeRequested);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setSpacing(2);
  m_playPause = addButton(glyphIcon(Glyph::Play), &ControlBarQt::playPauseClicked);
  buttons->addWidget(m_playPause);
  buttons->addWidget(addButton(glyphIcon(Glyph::Stop), &ControlBarQt::stopClicked));
  buttons->addSpacing(6);
  buttons->addWidget(addButton(glyphIcon(Glyph::Previous), &ControlBarQt::previousClicked));
  buttons->addWidget(addButton(glyphIcon(Glyph::Next), &ControlBarQt::nextClicked));
  buttons->addSpacing(10);
  buttons->addWidget(m_time);
  buttons->addStretch();
  m_tracks = new TrackButtonsQt(this);
  buttons->addWidget(m_tracks);
  buttons->addSpacing(6);
  m_mute = addButton(glyphIcon(Glyph::Speaker), &ControlBarQt::muteClicked);
  buttons->addWidget(m_mute);
  buttons->addWidget(m_volume);

  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(10, 5, 12, 5);
  rows->setSpacing(1);
  rows->addWidget(m_seek);
  rows->addLayout(buttons);
  showTimes(0, 0);
}

QToolButton* ControlBarQt::addButton(const QIcon& icon, void (ControlBarQt::*clicked)())
{
  auto* button = new QToolButton(this);
  button->setIcon(icon);
  button->setIconSize(QSize(22, 22));
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  connect(button, &QToolButton::clicked, this, clicked);
  return button;
}

void ControlBarQt::setPlaying(bool playing)
{
  m_playPause->setIcon(glyphIcon(playing ? Glyph::Pause : Glyph::Play));
}

void ControlBarQt::setTimes(double position, double duration)
{
  m_duration = duration;
  m_seek->setEnabled(duration > 0);
  if (!m_seek->isSliderDown()) {
    const QSignalBlocker quiet(m_seek);
    m_seek->setRange(0, int(duration * 1000));
    m_seek->setValue(int(position * 1000));
    showTimes(position, duration);
  }
}

void ControlBarQt::showTimes(double position, double duration)
{
  m_time->setText(clockText(position) + QStringLiteral(" / ") + clockText(duration));
}

void ControlBarQt::setVolume(int volume)
{
  const QSignalBlocker quiet(m_volume);
  m_volume->setValue(volume);
}

void ControlBarQt::setMuted(bool muted)
{
  if (muted == m_muted)
    return;
  m_muted = muted;
  m_mute->setIcon(glyphIcon(muted ? Glyph::SpeakerMuted : Glyph::Speaker));
}

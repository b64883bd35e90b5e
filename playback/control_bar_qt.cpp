#include "playback/control_bar_qt.h"

#include "playback/bar_row.h"
#include "playback/clock_text.h"
#include "playback/seek_slider_qt.h"
#include "playback/track_buttons_qt.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

namespace {

const QColor glyphColour(0xe6, 0xe8, 0xeb);

// The row of buttons lies below the seek slider, both within the bar's margins.
constexpr int margin = 10;
constexpr int seekCentre = 14;
constexpr int buttonCentre = 41;
// Below twice its handle's width the seek slider could not be used.
constexpr int seekMinimum = 24;
constexpr int volumeWidth = 90;
// Between the position and the controls on the right.
constexpr int middleGap = 10;

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

  m_seek = new SeekSliderQt(this);
  auto* jumpToClick = new JumpToClickStyle;
  jumpToClick->setParent(this);
  m_seek->setStyle(jumpToClick);
  m_seek->setFocusPolicy(Qt::NoFocus);
  m_seek->setEnabled(false);
  connect(m_seek, &QSlider::sliderMoved, this,
          [this](int ms) {
            showTimes(ms / 1000.0, m_duration);
            emit scrubRequested(ms / 1000.0);
          });
  connect(m_seek, &QSlider::sliderReleased, this,
          [this] { emit seekRequested(m_seek->value() / 1000.0); });

  m_playPause = addButton(glyphIcon(Glyph::Play), QStringLiteral("播放"),
                          &ControlBarQt::playPauseClicked);
  m_stop = addButton(glyphIcon(Glyph::Stop), QStringLiteral("停止"), &ControlBarQt::stopClicked);
  m_previous = addButton(glyphIcon(Glyph::Previous), QStringLiteral("上一个"),
                         &ControlBarQt::previousClicked);
  m_next = addButton(glyphIcon(Glyph::Next), QStringLiteral("下一个"), &ControlBarQt::nextClicked);
  m_time = new QLabel(this);
  m_time->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_tracks = new TrackButtonsQt(this);
  connect(m_tracks, &TrackButtonsQt::buttonsChanged, this, &ControlBarQt::layOutControls);
  m_mute = addButton(glyphIcon(Glyph::Speaker), QStringLiteral("静音"), &ControlBarQt::muteClicked);
  m_volume = new QSlider(Qt::Horizontal, this);
  m_volume->setRange(0, 100);
  m_volume->setToolTip(QStringLiteral("音量"));
  m_volume->setStyle(jumpToClick);
  m_volume->setFocusPolicy(Qt::NoFocus);
  connect(m_volume, &QSlider::valueChanged, this, &ControlBarQt::volumeRequested);
  showTimes(0, 0);
}

QToolButton* ControlBarQt::addButton(const QIcon& icon, const QString& tip,
                                     void (ControlBarQt::*clicked)())
{
  auto* button = new QToolButton(this);
  button->setIcon(icon);
  button->setIconSize(QSize(22, 22));
  button->setToolTip(tip);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  connect(button, &QToolButton::clicked, this, clicked);
  return button;
}

void ControlBarQt::setPlaying(bool playing)
{
  m_playPause->setIcon(glyphIcon(playing ? Glyph::Pause : Glyph::Play));
  m_playPause->setToolTip(playing ? QStringLiteral("暂停") : QStringLiteral("播放"));
}

QSlider* ControlBarQt::seekSlider() const
{
  return m_seek;
}

void ControlBarQt::setMarks(const QVector<BarMark>& marks)
{
  m_seek->setMarks(marks);
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
  m_position = clockText(position);
  m_total = QStringLiteral(" / ") + clockText(duration);
  m_time->setText(m_totalShown ? m_position + m_total : m_position);
  // The position takes the room of the duration's digits, so that the bar
  // does not shift while the clock runs.
  const QString widest = clockText(std::max(position, duration));
  const int positionRoom = textRoom(widest);
  const int totalRoom = textRoom(widest + m_total) - positionRoom;
  if (positionRoom != m_positionRoom || totalRoom != m_totalRoom) {
    m_positionRoom = positionRoom;
    m_totalRoom = totalRoom;
    layOutControls();
  }
}

// The width of a clock text whatever its digits read.
int ControlBarQt::textRoom(const QString& text) const
{
  const QFontMetrics metrics = m_time->fontMetrics();
  QChar widestDigit = u'0';
  for (QChar digit = u'1'; digit <= u'9'; digit = QChar(digit.unicode() + 1))
    if (metrics.horizontalAdvance(digit) > metrics.horizontalAdvance(widestDigit))
      widestDigit = digit;
  QString pattern = text;
  for (QChar& c : pattern)
    if (c.isDigit())
      c = widestDigit;
  return metrics.horizontalAdvance(pattern);
}

void ControlBarQt::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  layOutControls();
}

void ControlBarQt::layOutControls()
{
  const int row = width() - 2 * margin;
  const int seekHeight = m_seek->sizeHint().height();
  m_seek->setGeometry(margin, seekCentre - seekHeight / 2, row, seekHeight);
  m_seek->setVisible(row >= seekMinimum);

  const QSize button = m_playPause->sizeHint();
  QWidget* const widgets[] = {m_playPause, m_stop, m_previous, m_next, m_time,
                              nullptr /* the total time, in m_time */, m_tracks, m_mute, m_volume};
  const QVector<BarControl> controls = {
      {button.width(), 0, 7}, {button.width(), 2, 5},  // play/pause, stop
      {button.width(), 8, 2}, {button.width(), 2, 2},  // previous, next
      {m_positionRoom, 8, 6}, {m_totalRoom, 0, 3},      // the time
      {m_tracks->sizeHint().width(), 0, 1}, {button.width(), 6, 4}, {volumeWidth, 2, 0}};
  constexpr qsizetype firstOnTheRight = 6; // the track buttons
  const QVector<int> left = layOutBarRow(controls, firstOnTheRight, middleGap, row);

  m_totalShown = left[5] >= 0;
  m_time->setText(m_totalShown ? m_position + m_total : m_position);
  for (qsizetype i = 0; i < controls.size(); ++i) {
    QWidget* const widget = widgets[i];
    if (!widget)
      continue;
    widget->setVisible(left[i] >= 0);
    if (left[i] < 0)
      continue;
    const bool time = widget == m_time;
    const int width = time && m_totalShown ? m_positionRoom + m_totalRoom : controls[i].width;
    const int height = time ? button.height() : widget->sizeHint().height();
    widget->setGeometry(margin + left[i], buttonCentre - height / 2, width, height);
  }
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
  m_mute->setToolTip(muted ? QStringLiteral("取消静音") : QStringLiteral("静音"));
}

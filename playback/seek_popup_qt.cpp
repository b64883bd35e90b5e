#include "playback/seek_popup_qt.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int Padding = 4;
constexpr int LongestCaption = 320; // pixels: a long chapter title is cut short

} // namespace

SeekPopupQt::SeekPopupQt(QWidget* parent) : QWidget(parent)
{
  setAttribute(Qt::WA_NativeWindow);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

void SeekPopupQt::showAt(QPoint anchor, const QString& caption, QSize pictureSize)
{
  if (pictureSize != m_pictureSize)
    m_picture = QImage();
  m_caption = caption;
  m_pictureSize = pictureSize;
  const QFontMetrics metrics = fontMetrics();
  int textWidth = 0;
  const QStringList lines = caption.split(u'\n');
  for (const QString& line : lines)
    textWidth = std::max(textWidth, std::min(metrics.horizontalAdvance(line), LongestCaption));
  const int width = std::max(pictureSize.width(), textWidth) + 2 * Padding;
  const int height = pictureSize.height() + int(lines.size()) * metrics.height() + 2 * Padding;
  const int x = std::clamp(anchor.x() - width / 2, 0, std::max(0, parentWidget()->width() - width));
  setGeometry(x, anchor.y() - height, width, height);
  raise();
  show();
  update();
}

void SeekPopupQt::setPicture(const QImage& picture)
{
  m_picture = picture;
  update();
}

void SeekPopupQt::showEvent(QShowEvent*)
{
  emit shownChanged(true);
}

void SeekPopupQt::hideEvent(QHideEvent*)
{
  emit shownChanged(false);
}

void SeekPopupQt::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x1b, 0x1d, 0x20));
  painter.setPen(QColor(0x3a, 0x3e, 0x44));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QRect picture((width() - m_pictureSize.width()) / 2, Padding, m_pictureSize.width(),
                m_pictureSize.height());
  if (!m_pictureSize.isEmpty()) {
    painter.fillRect(picture, Qt::black);
    if (!m_picture.isNull())
      painter.drawImage(picture, m_picture);
  }
  painter.setPen(QColor(0xe6, 0xe8, 0xeb));
  const QFontMetrics metrics = fontMetrics();
  int y = Padding + m_pictureSize.height();
  for (const QString& line : m_caption.split(u'\n')) {
    const QString shown = metrics.elidedText(line, Qt::ElideRight, width() - 2 * Padding);
    painter.drawText(QRect(Padding, y, width() - 2 * Padding, metrics.height()), Qt::AlignCenter,
                     shown);
    y += metrics.height();
  }
}

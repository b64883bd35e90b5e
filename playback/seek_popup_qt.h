#pragma once

#include <QImage>
#include <QWidget>

// The box above the seek bar while the pointer rests on it: the picture at
// that time (when there is one to show) and the time and chapter under it.
// A native window inside the main window, the only kind that stands over the
// picture's own native window.
class SeekPopupQt : public QWidget {
  Q_OBJECT
public:
  explicit SeekPopupQt(QWidget* parent);

  // Shows `caption` with room for a picture of `pictureSize` (empty: none),
  // its bottom centre at `anchor` in the parent, kept within the parent.
  void showAt(QPoint anchor, const QString& caption, QSize pictureSize);
  void setPicture(const QImage& picture);

signals:
  void shownChanged(bool shown);

protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  QString m_caption;
  QSize m_pictureSize;
  QImage m_picture;
};

#pragma once

#include <QPointer>
#include <QWidget>

class QWindow;

// A widget that shows a native window (the picture) in its place in the
// layout. On X11 that is a window container. Under Wayland, Qt 6.4 gives a
// container's own surface no buffer, and the compositor maps no surface whose
// parent has none: the picture would never show. There the picture's window is
// a direct child of the top-level window, whose surface always has a buffer,
// and this widget moves it along with itself.
QWidget* hostPicture(QWindow* picture);

class PictureHostQt : public QWidget {
  Q_OBJECT
public:
  explicit PictureHostQt(QWindow* picture);
  ~PictureHostQt() override;

protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void watchSurroundings();
  void follow();
  QRect uncovered() const;
  void forwardDrag(QEvent* event);

  QPointer<QWindow> m_picture;
  QList<QPointer<QWidget>> m_watched;
};

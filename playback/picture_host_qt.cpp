#include "playback/picture_host_qt.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QWindow>

QWidget* hostPicture(QWindow* picture)
{
  if (QGuiApplication::platformName() == QLatin1String("wayland"))
    return new PictureHostQt(picture);
  return QWidget::createWindowContainer(picture);
}

PictureHostQt::PictureHostQt(QWindow* picture) : m_picture(picture)
{
  // Drags over the picture reach its own window, not the top-level one.
  picture->installEventFilter(this);
}

PictureHostQt::~PictureHostQt()
{
  // The picture belongs to the top-level window once shown, but goes with the
  // player: its render context must go before the player's core.
  delete m_picture;
}

bool PictureHostQt::event(QEvent* event)
{
  const bool done = QWidget::event(event);
  switch (event->type()) {
  case QEvent::Show:
    watchSurroundings();
    follow();
    break;
  case QEvent::Hide:
  case QEvent::Move:
  case QEvent::Resize:
    follow();
    break;
  case QEvent::ParentChange:
    watchSurroundings();
    break;
  default:
    break;
  }
  return done;
}

// What moves this widget within the window: its ancestors. What may cover it:
// the controls that share its parent, such as the bar floating in full screen.
void PictureHostQt::watchSurroundings()
{
  for (const QPointer<QWidget>& w : std::as_const(m_watched))
    if (w)
      w->removeEventFilter(this);
  m_watched.clear();
  for (QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget())
    m_watched << w;
  if (parentWidget())
    for (QObject* sibling : parentWidget()->children())
      if (auto* w = qobject_cast<QWidget*>(sibling); w && w != this)
        m_watched << w;
  for (const QPointer<QWidget>& w : std::as_const(m_watched))
    w->installEventFilter(this);
}

bool PictureHostQt::eventFilter(QObject* watched, QEvent* event)
{
  const QEvent::Type type = event->type();
  if (watched == m_picture) {
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::DragLeave ||
        type == QEvent::Drop) {
      forwardDrag(event);
      return true;
    }
    return false;
  }
  if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show ||
      type == QEvent::Hide || type == QEvent::ZOrderChange)
    follow();
  return false;
}

void PictureHostQt::follow()
{
  if (!m_picture)
    return;
  QWindow* top = window()->windowHandle();
  if (!isVisible() || !top) {
    m_picture->hide();
    return;
  }
  if (m_picture->parent() != top)
    m_picture->setParent(top);
  const QRect shown = uncovered();
  m_picture->setGeometry(QRect(mapTo(window(), shown.topLeft()), shown.size()));
  m_picture->setVisible(!shown.isEmpty());
}

// A surface cannot be drawn under a control of the window's own surface: a
// control raised over the lower part of the picture shortens it instead.
QRect PictureHostQt::uncovered() const
{
  QRect shown = rect();
  if (!parentWidget())
    return shown;
  const QObjectList& siblings = parentWidget()->children();
  for (qsizetype i = siblings.indexOf(this) + 1; i < siblings.size(); ++i) {
    auto* w = qobject_cast<QWidget*>(siblings[i]);
    if (!w || !w->isVisible() || w->isWindow())
      continue;
    const QRect cover = w->geometry().translated(-pos());
    if (cover.intersects(shown) && cover.bottom() >= shown.bottom())
      shown.setBottom(std::min(shown.bottom(), cover.top() - 1));
  }
  return shown;
}

// Drops on the picture are the window's, as drops anywhere else in it: the
// top-level window hands them to the widget under the pointer that takes them.
void PictureHostQt::forwardDrag(QEvent* event)
{
  QWindow* top = window()->windowHandle();
  if (!top)
    return;
  if (event->type() == QEvent::DragLeave) {
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(top, &leave);
    return;
  }
  auto* drop = static_cast<QDropEvent*>(event);
  const QPointF at = drop->position() + m_picture->position();
  const auto data = drop->mimeData();
  const auto actions = drop->possibleActions();
  const auto buttons = drop->buttons();
  const auto modifiers = drop->modifiers();
  QDropEvent dropped(at, actions, data, buttons, modifiers);
  QDragEnterEvent enter(at.toPoint(), actions, data, buttons, modifiers);
  QDragMoveEvent move(at.toPoint(), actions, data, buttons, modifiers);
  QDropEvent& copy = event->type() == QEvent::Drop        ? dropped
                     : event->type() == QEvent::DragEnter ? enter
                                                          : move;
  // A move carries what the enter was answered: widgets need not answer again.
  copy.setDropAction(drop->dropAction());
  copy.setAccepted(drop->isAccepted());
  QCoreApplication::sendEvent(top, &copy);
  drop->setDropAction(copy.dropAction());
  drop->setAccepted(copy.isAccepted());
}

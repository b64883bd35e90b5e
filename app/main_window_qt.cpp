#include "app/main_window_qt.h"

#include "core/file_name_bytes.h"
#include "core/form_events.h"
#include "core/frame_extents_x11.h"
#include "playback/player_view_qt.h"
#include "presentation/program_icon_qt.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <utility>

namespace {

// The window's design client area: 9015 × 4725 twips.
constexpr QSize DesignClientSize(601, 315);

// The local files a drag carries, in the order it carries them.
QStringList droppedPaths(const QMimeData* data)
{
  QStringList paths;
  if (data && data->hasUrls())
    for (const QUrl& url : data->urls())
      if (url.isLocalFile())
        paths << localFileOfUrl(url);
  return paths;
}

} // namespace

MainWindowQt::MainWindowQt(FormEvents& form, MenuModel& menus) : m_form(form), m_menus(menus)
{
  setWindowTitle(QStringLiteral("Kelvarino"));
  resize(DesignClientSize);
  buildMenu();
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  m_frameBeforeMap = requestFrameExtents(this);
  m_requestedOuter = outerRect();
  setUpFullScreen();
}

MainWindowQt::~MainWindowQt()
{
  qApp->removeEventFilter(this);
}

void MainWindowQt::setPlayer(PlayerViewQt* player)
{
  m_player = player;
  player->setParent(this);
  player->move(0, 0);
}

void MainWindowQt::buildMenu()
{
  m_fileMenu = new QMenu(this);
  QMenu* menus[MenuItemCount] = {};
  menus[int(MenuItem::mFile)] = m_fileMenu;
  for (const MenuEntry& entry : menuTree()) {
    if (entry.item == MenuItem::mFile)
      continue;
    QMenu* parent = menus[int(entry.parent)];
    const QString caption = QString::fromUtf16(entry.caption);
    if (entry.submenu) {
      menus[int(entry.item)] = parent->addMenu(caption);
      m_actions[int(entry.item)] = menus[int(entry.item)]->menuAction();
    } else {
      QAction* action = parent->addAction(caption);
      if (entry.shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
      // The form decides check marks; the action only shows them.
      action->setCheckable(entry.option);
      const MenuItem item = entry.item;
      connect(action, &QAction::triggered, this, [this, item] {
        syncAction(item);
        m_form.menuCommand(item);
      });
      m_actions[int(entry.item)] = action;
    }
    syncAction(entry.item);
  }
  connect(&m_menus, &MenuModel::changed, this, &MainWindowQt::syncAction);
}

void MainWindowQt::syncAction(MenuItem item)
{
  if (QAction* action = m_actions[int(item)]) {
    action->setChecked(m_menus.checked(item));
  }
}

bool MainWindowQt::qtKnowsFrame() const
{
  return windowHandle() && !windowHandle()->frameMargins().isNull();
}

QMargins MainWindowQt::frame() const
{
  return qtKnowsFrame() ? windowHandle()->frameMargins() : m_frameBeforeMap;
}

QRect MainWindowQt::outerRect() const
{
  // Until Qt has heard of the frame, move() places the client area and the
  // frame then goes around it; afterwards move() places the frame. Which one
  // holds depends on when the window manager's answer arrives, not on when
  // the window is first exposed.
  if (!qtKnowsFrame())
    return geometry().marginsAdded(frame());
  return frameGeometry();
}

void MainWindowQt::placeOuter(const QRect& outer)
{
  // Full screen holds the window: the rectangle is where it goes once back.
  if (m_fullScreen != FullScreen::Off) {
    m_outerBeforeFullScreen = outer;
    m_placeAfterFullScreen = true;
    return;
  }
  const QMargins f = frame();
  const QRect client = outer.marginsRemoved(f);
  const bool framed = qtKnowsFrame();
  if (!framed)
    m_requestedOuter = outer;
  const QPoint position = framed ? outer.topLeft() : client.topLeft();
  if (position != (framed ? frameGeometry().topLeft() : geometry().topLeft()))
    move(position);
  if (client.size() != size())
    resize(client.size().expandedTo(QSize(1, 1)));
}

Twips MainWindowQt::Left() const { return toTwips(formRect().x()); }
Twips MainWindowQt::Top() const { return toTwips(formRect().y()); }
Twips MainWindowQt::Width() const { return toTwips(formRect().width()); }
Twips MainWindowQt::Height() const { return toTwips(formRect().height()); }
Twips MainWindowQt::ScaleWidth() const { return toTwips(formClientSize().width()); }
Twips MainWindowQt::ScaleHeight() const { return toTwips(formClientSize().height()); }

void MainWindowQt::setLeft(Twips left)
{
  QRect r = formRect();
  r.moveLeft(toPixels(left));
  placeOuter(r);
}

void MainWindowQt::setTop(Twips top)
{
  QRect r = formRect();
  r.moveTop(toPixels(top));
  placeOuter(r);
}

void MainWindowQt::setWidth(Twips width)
{
  QRect r = formRect();
  r.setWidth(toPixels(width));
  placeOuter(r);
}

void MainWindowQt::setHeight(Twips height)
{
  QRect r = formRect();
  r.setHeight(toPixels(height));
  placeOuter(r);
}

int MainWindowQt::windowState() const
{
  // A state asked for while the window was held by full screen is the one it
  // is on its way to.
  if (m_fullScreen != FullScreen::Off && m_stateAfterFullScreen)
    return *m_stateAfterFullScreen;
  const Qt::WindowStates state = QWidget::windowState();
  if (state & Qt::WindowMinimized)
    return WindowState::Minimized;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
    return WindowState::Maximized;
  return WindowState::Normal;
}

void MainWindowQt::setWindowState(int state)
{
  // On its way back from full screen the window manager still holds the
  // state from before (maximised under full screen); a change made now would
  // be undone.
  if (m_fullScreen != FullScreen::Off) {
    m_stateAfterFullScreen = state;
    m_stateAfterFullScreenGiven = false;
    return;
  }
  showState(state);
}

void MainWindowQt::bringToFront()
{
  raise();
  activateWindow();
}

void MainWindowQt::allowActivation(const QString& token)
{
  // Qt's Wayland shell gives this to the compositor at the next activation
  // and then clears it; X11 has no use for it.
  if (QGuiApplication::platformName() == QLatin1String("wayland"))
    qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
}

void MainWindowQt::closeWindow()
{
  // An open dialog is cancelled first: its own event loop would otherwise
  // keep the program running behind a closed window.
  for (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this;) {
    modal->close();
    QWidget* next = QApplication::activeModalWidget();
    modal = next == modal ? nullptr : next;
  }
  close();
}

QString MainWindowQt::caption() const { return windowTitle(); }
void MainWindowQt::setCaption(const QString& caption) { setWindowTitle(caption); }

Twips MainWindowQt::screenWidth() const
{
  return toTwips(QGuiApplication::primaryScreen()->geometry().width());
}

Twips MainWindowQt::screenHeight() const
{
  return toTwips(QGuiApplication::primaryScreen()->geometry().height());
}

QList<QRectF> MainWindowQt::screens() const
{
  QList<QRectF> rects;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->geometry();
    rects << QRectF(toTwips(r.x()), toTwips(r.y()), toTwips(r.width()), toTwips(r.height()));
  }
  return rects;
}

void MainWindowQt::setPlayerSize(Twips width, Twips height)
{
  if (m_player && m_fullScreen == FullScreen::Off)
    m_player->resize(toPixels(width), toPixels(height));
}

void MainWindowQt::popupFileMenu()
{
  m_fileMenu->popup(QCursor::pos());
}

void MainWindowQt::setStaysOnTop(bool on)
{
  // A shown window changes the flags of its platform window, which keeps it
  // mapped where it is; QWidget::setWindowFlag would hide and re-create it.
  QWindow* w = windowHandle();
  if (!w) {
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    return;
  }
  w->setFlag(Qt::WindowStaysOnTopHint, on);
  // Entering the band brings the window to its top; leaving it keeps the
  // window where it is in the stacking order.
  if (on)
    w->raise();
}

void MainWindowQt::setBigIcon(int size)
{
  setWindowIcon(programBigIcon(size));
}

void MainWindowQt::frameLearned()
{
  // Keep the outer rectangle the form asked for when the window manager's
  // early answer was missing or different from the frame it drew.
  m_frameLearned = true;
  if (frame() != m_frameBeforeMap && windowState() == WindowState::Normal)
    placeOuter(m_requestedOuter);
}

void MainWindowQt::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  formResize();
}

void MainWindowQt::changeEvent(QEvent* event)
{
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    windowStateChanged();
    formResize();
  }
}

void MainWindowQt::formResize()
{
  if (m_fullScreen != FullScreen::Off || (QWidget::windowState() & Qt::WindowFullScreen)) {
    if (m_player)
      m_player->resize(size());
    if (m_fullScreen == FullScreen::Returning)
      m_settledAfterFullScreen.start();
    return;
  }
  // Events that change neither the size nor the state as the form sees them
  // (full screen counts as maximised) do not reach it.
  const FormView now{windowState(), size()};
  if (now == m_lastForwarded)
    return;
  m_lastForwarded = now;
  m_form.Form_Resize();
}

void MainWindowQt::dragEnterEvent(QDragEnterEvent* event)
{
  if (!droppedPaths(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void MainWindowQt::dropEvent(QDropEvent* event)
{
  const QStringList paths = droppedPaths(event->mimeData());
  if (paths.isEmpty())
    return;
  event->acceptProposedAction();
  m_form.Form_OLEDragDrop(paths);
}

void MainWindowQt::closeEvent(QCloseEvent* event)
{
  m_form.Form_Unload();
  event->accept();
}

bool MainWindowQt::eventFilter(QObject* watched, QEvent* event)
{
  if (!m_frameLearned && watched == windowHandle() && qtKnowsFrame())
    frameLearned();
  return QWidget::eventFilter(watched, event);
}

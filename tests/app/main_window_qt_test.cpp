#include "app/key_router_qt.h"
#include "app/main_window_qt.h"
#include "playback/player_view_qt.h"
#include "playback/opening.h"
#include "fake_gui.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
// Last: Xlib's macros would clash with the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#undef None
#undef Bool
#undef Status

namespace {

// The real main window with doubles behind it.
class WindowGui : public FakeGui {
  MediaFrm& form;

public:
  explicit WindowGui(MediaFrm& form) : form(form), mainWindow(form, form.menus)
  {
    mainWindow.setPlayer(player);
    hasTaskbar = false;
  }
  MainWindowQt mainWindow;
  PlayerViewQt* player = new PlayerViewQt(new QWidget); // the window owns it
  KeyRouterQt keys{mainWindow, form};
  MainWindowPort& window() override { return mainWindow; }
};

class WindowFactory : public GuiFactory {
public:
  WindowGui* gui = nullptr;
  std::unique_ptr<Gui> create(MediaFrm& form) override
  {
    auto made = std::make_unique<WindowGui>(form);
    gui = made.get();
    return made;
  }
};

class MainWindowQtTest : public testing::Test {
protected:
  QTemporaryDir dir;
  WindowFactory factory;
  std::unique_ptr<MediaFrm> form;

  void SetUp() override
  {
    qputenv("windir", QFile::encodeName(dir.path()));
    const StartInfo start{{}, dir.filePath("kelvarino"), {}, {}, {}};
    form = std::make_unique<MediaFrm>(start, nullptr);
    ASSERT_TRUE(form->Form_Load(factory));
  }
  void TearDown() override { qunsetenv("windir"); }
  MainWindowQt& win() { return factory.gui->mainWindow; }

  void showAndWait()
  {
    win().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&win()));
    QTest::qWait(200); // the window manager's frame and placement
  }
};

// A window property as the window manager and docks read it, in 32-bit items.
QList<unsigned long> xProperty(QWidget& window, const char* name, Atom type)
{
  Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  QList<unsigned long> items;
  if (XGetWindowProperty(display, window.winId(), XInternAtom(display, name, False), 0, 1 << 20,
                         False, type, &actualType, &format, &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    items = QList<unsigned long>(longs, longs + count);
  }
  if (data)
    XFree(data);
  return items;
}

bool isAbove(QWidget& window)
{
  Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
  return xProperty(window, "_NET_WM_STATE", XA_ATOM)
      .contains(XInternAtom(display, "_NET_WM_STATE_ABOVE", False));
}

bool waitFor(const std::function<bool()>& condition)
{
  return QTest::qWaitFor(condition, 3000);
}

// The menu as a person reads it: one line an item, submenus indented, the
// shortcut after a tab, "[ ]" for an item that takes a check mark.
QStringList outline(QMenu* menu, const QString& indent = {})
{
  QStringList lines;
  for (QAction* a : menu->actions()) {
    QString line = indent + (a->isSeparator() ? "----" : a->text());
    if (!a->shortcut().isEmpty())
      line += "\t" + a->shortcut().toString();
    if (a->isCheckable())
      line += " [ ]";
    lines << line;
    if (a->menu())
      lines << outline(a->menu(), indent + "  ");
  }
  return lines;
}

} // namespace

TEST_F(MainWindowQtTest, TheMenuHoldsTheDesignedTreeAndFollowsTheModel)
{
  auto* menu = win().findChild<QMenu*>();
  ASSERT_TRUE(menu);
  // Written out here, not taken from the program's own table: the player's
  // own features must not add, rename or move any of these.
  const QStringList items = {
      "打开(&O)…\tCtrl+O",
      "打开 URL(&U)…\tCtrl+U",
      "另存为(&V)…",
      "播放设置(&S)",
      "  无序播放(&H) [ ]",
      "  重复播放(&R) [ ]",
      "  置顶播放(&T) [ ]",
      "  文件关联(&C)",
      "视频大小(&Z)",
      "  50% [ ]",
      "  100% [ ]",
      "  200% [ ]",
      "  窗口大小 [ ]",
      "允许运行多个Kelvarino [ ]",
  };
  EXPECT_EQ(outline(menu), items);

  QAction* z2 = nullptr;
  for (QAction* a : menu->findChildren<QAction*>())
    if (a->text() == "100%")
      z2 = a;
  ASSERT_TRUE(z2);
  EXPECT_TRUE(z2->isChecked()) << "the start-up check mark";
  form->menus.setChecked(MenuItem::mZ2, false);
  EXPECT_FALSE(z2->isChecked());
}

TEST_F(MainWindowQtTest, GeometryIsTheOuterRectangleInTwipsAlsoBeforeTheFirstMap)
{
  // The frame is asked of the window manager before the window is shown, so
  // the start-up centring already used the outer size.
  const Twips outerBeforeMap = win().Width();
  EXPECT_GT(outerBeforeMap, 601 * 15) << "openbox draws a frame";
  showAndWait();
  const QRect frame = win().frameGeometry();
  EXPECT_EQ(win().Width(), frame.width() * 15);
  EXPECT_EQ(win().Width(), outerBeforeMap);
  EXPECT_EQ(win().Height(), frame.height() * 15);
  EXPECT_EQ(win().ScaleWidth(), 601 * 15);
  EXPECT_EQ(win().ScaleHeight(), 315 * 15);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(frame.x(), (screen.width() - frame.width()) / 2, 1);
  EXPECT_NEAR(frame.y(), (screen.height() - frame.height()) / 2, 1);

  win().setWidth(9300);
  win().setHeight(6000);
  win().setLeft(1200);
  win().setTop(900);
  EXPECT_TRUE(waitFor([&] { return win().frameGeometry() == QRect(80, 60, 620, 400); }))
      << win().frameGeometry().x() << "," << win().frameGeometry().y() << " "
      << win().frameGeometry().width() << "x" << win().frameGeometry().height();
  EXPECT_EQ(factory.gui->player->size(), win().size()) << "the player fills the client area";
}

TEST_F(MainWindowQtTest, KeysReachTheFormFirstAndStillReachTheFocusedControl)
{
  showAndWait();
  factory.gui->player->setFocusPolicy(Qt::StrongFocus);
  factory.gui->player->setFocus();
  win().activateWindow();
  QTest::keyClick(factory.gui->player, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(factory.gui->files.calls.isEmpty());
  QTest::keyClick(factory.gui->player, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(factory.gui->files.calls.size(), 1);
  EXPECT_EQ(factory.gui->files.calls[0].title, "打开");
}

TEST_F(MainWindowQtTest, OneKeyPressRunsItsCommandOnceAlsoWhenItsDialogMovesTheFocus)
{
  showAndWait();
  factory.gui->player->setFocusPolicy(Qt::StrongFocus);
  factory.gui->player->setFocus();
  win().activateWindow();
  // A modal dialog takes the focus and does not give it back to the player;
  // the unhandled key press then travels on to the window.
  factory.gui->urlFormUser = [this](FakeUrlFormView&, UrlFrm& dialog) {
    factory.gui->player->clearFocus();
    dialog.Command2_Click();
  };
  QTest::keyClick(factory.gui->player, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(factory.gui->urlFormsMade, 1);
}

TEST_F(MainWindowQtTest, ThePlayersKeysWorkWhereverTheFocusIsInTheWindowAndNowhereElse)
{
  auto* other = new QPushButton(QStringLiteral("其他"), &win());
  showAndWait();
  FakeEngine& engine = factory.gui->eng;
  other->setFocus();
  QTest::keyClick(other, Qt::Key_Up);
  EXPECT_EQ(engine.vol, 55);
  QTest::keyClick(other, Qt::Key_Down);
  QTest::keyClick(other, Qt::Key_Down);
  EXPECT_EQ(engine.vol, 45);
  other->clearFocus();
  QTest::keyClick(&win(), Qt::Key_Up);
  EXPECT_EQ(engine.vol, 50) << "nothing focused: the window has the key";
  QWidget elsewhere;
  elsewhere.show();
  QTest::keyClick(&elsewhere, Qt::Key_Down);
  EXPECT_EQ(engine.vol, 50) << "another window's keys are its own";
}

TEST_F(MainWindowQtTest, LeavingFullScreenBackToAMaximisedWindowDoesNotReenterIt)
{
  showAndWait();
  FakeEngine& engine = factory.gui->eng;
  engine.state = PlayState::Playing;
  win().showMaximized();
  ASSERT_TRUE(waitFor([&] { return engine.full; })) << "maximising goes full screen";

  win().setPlayerFullScreen(true);
  win().showFullScreen();
  QTest::qWait(300);
  engine.full = false;
  win().setPlayerFullScreen(false);
  win().showMaximized();
  QTest::qWait(500);
  EXPECT_FALSE(engine.full);
  EXPECT_EQ(win().windowState(), WindowState::Maximized);
}

TEST_F(MainWindowQtTest, StayingOnTopKeepsThePlaceAndSize)
{
  showAndWait();
  const QRect before = win().frameGeometry();
  win().setStaysOnTop(true);
  QTest::qWait(200);
  EXPECT_TRUE(win().windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(win().isVisible());
  EXPECT_EQ(win().frameGeometry(), before);
  win().setStaysOnTop(false);
  QTest::qWait(200);
  EXPECT_EQ(win().frameGeometry(), before);
}

TEST_F(MainWindowQtTest, TheWindowManagerPutsTheWindowAboveAndBackInThePlaceItHad)
{
  win().setBigIcon(32); // the start-up's icon, as in the program
  showAndWait();
  const QRect before = win().frameGeometry();
  for (bool on : {true, false, true, true, false}) {
    win().setStaysOnTop(on);
    EXPECT_TRUE(waitFor([&] { return isAbove(win()) == on; })) << on;
    QTest::qWait(100);
    EXPECT_EQ(win().frameGeometry(), before) << on;
    EXPECT_TRUE(win().isVisible());
  }
}

TEST_F(MainWindowQtTest, TheBigIconReachesTheWindowManagerBesideTheTitleBarImage)
{
  win().setBigIcon(32);
  showAndWait();
  // _NET_WM_ICON: width, height, then that many ARGB pixels, for each image.
  const QList<unsigned long> icon = xProperty(win(), "_NET_WM_ICON", XA_CARDINAL);
  QList<int> sizes;
  for (qsizetype at = 0; at + 2 <= icon.size(); at += 2 + icon[at] * icon[at + 1]) {
    const int size = int(icon[at]);
    sizes << size;
    const QImage expected =
        QImage(QStringLiteral(":/kelvarino/icons/hicolor/%1x%1/apps/kelvarino.png").arg(size))
            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(expected.width(), size) << "no rendered image of that size";
    int differing = 0;
    for (int i = 0; i < size * size; ++i) {
      // Qt keeps pixmaps premultiplied: a colour may come back one step off.
      const QRgb got = qPremultiply(QRgb(icon[at + 2 + i]));
      const QRgb want = qPremultiply(expected.pixel(i % size, i / size));
      differing += qAbs(qRed(got) - qRed(want)) > 1 || qAbs(qGreen(got) - qGreen(want)) > 1 ||
                   qAbs(qBlue(got) - qBlue(want)) > 1 || qAlpha(got) != qAlpha(want);
    }
    EXPECT_EQ(differing, 0) << size;
  }
  EXPECT_EQ(sizes, (QList<int>{16, 32}));
}

namespace {

// Delivers a drag that enters the window and, when it was accepted, drops.
bool dragAndDrop(QWidget& target, const QList<QUrl>& urls)
{
  QMimeData data;
  data.setUrls(urls);
  const QPoint middle = target.rect().center();
  QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted())
    return false;
  QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  return drop.isAccepted();
}

} // namespace

TEST_F(MainWindowQtTest, DroppedLocalFilesReachTheFormInDropOrder)
{
  const QString a = dir.filePath("a clip.mp4"), b = dir.filePath("b.mp3");
  for (const QString& path : {a, b}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
  }
  FakeEngine& engine = factory.gui->eng;
  EXPECT_TRUE(dragAndDrop(win(), {QUrl::fromLocalFile(a)}));
  EXPECT_EQ(engine.url, a);

  EXPECT_TRUE(dragAndDrop(win(), {QUrl::fromLocalFile(b), QUrl("https://example.com/c.mp4"),
                                  QUrl::fromLocalFile(a)}));
  EXPECT_EQ(engine.url, form->opening().defaultPlaylistPath());
  QFile list(form->opening().defaultPlaylistPath());
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  EXPECT_EQ(list.readAll(), (b + "\r\n" + a + "\r\n").toUtf8()) << "only the local files";

  engine.urls.clear();
  EXPECT_FALSE(dragAndDrop(win(), {QUrl("https://example.com/c.mp4")})) << "no file, no drop";
  EXPECT_FALSE(dragAndDrop(win(), {}));
  EXPECT_TRUE(engine.urls.isEmpty());
}

TEST_F(MainWindowQtTest, ACommandFromASecondStartRestoresAndRaisesTheWindow)
{
  showAndWait();
  QWidget other;
  other.resize(200, 200);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  other.activateWindow();
  win().showMinimized();
  ASSERT_TRUE(waitFor([&] { return win().windowState() == WindowState::Minimized; }));

  int cancel = -1;
  form->Form_LinkExecute("\"/v/a.mp4\"", cancel);
  EXPECT_TRUE(waitFor([&] { return win().windowState() == WindowState::Normal && win().isVisible(); }));
  EXPECT_TRUE(waitFor([&] { return QApplication::activeWindow() == &win(); }))
      << "the restored window comes to the front";
  EXPECT_EQ(factory.gui->eng.url, "/v/a.mp4");
}

#include "app/main_window_qt.h"
#include "app/media_frm.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "fake_process_launcher.h"
#include "fake_url_form_view.h"
#include "qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// The real main window with doubles behind it.
class WindowGui : public Gui {
public:
  explicit WindowGui(MediaFrm& form) : win(form) { win.setPlayer(&player); }
  MainWindowQt win;
  QWidget player;
  FakeEngine eng;
  FakeFileDialogs files;
  FakeMessageBoxes messages;
  FakeProcessLauncher launcher;
  MainWindowPort& window() override { return win; }
  MediaEngine& engine() override { return eng; }
  FileDialogs& fileDialogs() override { return files; }
  MessageBoxes& messageBoxes() override { return messages; }
  ProcessLauncher& processes() override { return launcher; }
  // What the user does in each open-URL dialog while it is shown.
  std::function<void(FakeUrlFormView&, UrlFrm&)> urlFormUser;
  int urlFormsMade = 0;
  std::unique_ptr<UrlFormView> createUrlForm() override
  {
    auto view = std::make_unique<FakeUrlFormView>();
    view->user = urlFormUser;
    ++urlFormsMade;
    return view;
  }
  int exec() override { return 0; }
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
    form = std::make_unique<MediaFrm>(StartInfo{{}, dir.filePath("kelvarino")}, nullptr);
    ASSERT_TRUE(form->Form_Load(factory));
  }
  void TearDown() override { qunsetenv("windir"); }
  MainWindowQt& win() { return factory.gui->win; }

  void showAndWait()
  {
    win().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&win()));
    QTest::qWait(200); // the window manager's frame and placement
  }
};

bool waitFor(const std::function<bool()>& condition)
{
  return QTest::qWaitFor(condition, 3000);
}

} // namespace

TEST_F(MainWindowQtTest, TheMenuHoldsTheDesignedTreeAndFollowsTheModel)
{
  auto* menu = win().findChild<QMenu*>();
  ASSERT_TRUE(menu);
  QStringList captions;
  std::function<void(QMenu*)> walk = [&](QMenu* m) {
    for (QAction* a : m->actions()) {
      captions << a->text();
      if (a->menu())
        walk(a->menu());
    }
  };
  walk(menu);
  QStringList expected;
  for (const MenuEntry& e : menuTree())
    if (e.item != MenuItem::mFile)
      expected << QString::fromUtf16(e.caption);
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(expected.first(), "打开(&O)…");

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
  EXPECT_EQ(factory.gui->player.size(), win().size()) << "the player fills the client area";
}

TEST_F(MainWindowQtTest, KeysReachTheFormFirstAndStillReachTheFocusedControl)
{
  showAndWait();
  factory.gui->player.setFocusPolicy(Qt::StrongFocus);
  factory.gui->player.setFocus();
  win().activateWindow();
  QTest::keyClick(&factory.gui->player, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(factory.gui->files.calls.isEmpty());
  QTest::keyClick(&factory.gui->player, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(factory.gui->files.calls.size(), 1);
  EXPECT_EQ(factory.gui->files.calls[0].title, "打开");
}

TEST_F(MainWindowQtTest, OneKeyPressRunsItsCommandOnceAlsoWhenItsDialogMovesTheFocus)
{
  showAndWait();
  factory.gui->player.setFocusPolicy(Qt::StrongFocus);
  factory.gui->player.setFocus();
  win().activateWindow();
  // A modal dialog takes the focus and does not give it back to the player;
  // the unhandled key press then travels on to the window.
  factory.gui->urlFormUser = [this](FakeUrlFormView&, UrlFrm& dialog) {
    factory.gui->player.clearFocus();
    dialog.Command2_Click();
  };
  QTest::keyClick(&factory.gui->player, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(factory.gui->urlFormsMade, 1);
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

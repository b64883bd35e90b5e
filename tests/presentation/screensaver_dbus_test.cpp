#include "presentation/screensaver_dbus.h"
#include "form_fixture.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QTest>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

// The session's screen saver, on a connection of its own: it counts the
// idle resets it is asked for.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
  int resets = 0;

  FakeScreenSaver() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "saver"))
  {
    m_bus.registerObject("/org/freedesktop/ScreenSaver", this, QDBusConnection::ExportAllSlots);
    m_bus.registerService("org.freedesktop.ScreenSaver");
  }
  ~FakeScreenSaver() override
  {
    m_bus.unregisterService("org.freedesktop.ScreenSaver");
    QDBusConnection::disconnectFromBus("saver");
  }

public slots:
  void SimulateUserActivity() { ++resets; }

private:
  QDBusConnection m_bus;
};

// A desktop of doubles whose idle resets go to the real adapter.
class AwakeGui : public FakeGui {
public:
  ScreenSaverDbus saver{QDBusConnection::sessionBus()};
  ExecutionState& executionState() override { return saver; }
};

class AwakeFactory : public GuiFactory {
public:
  std::unique_ptr<Gui> create(MediaFrm&) override { return std::make_unique<AwakeGui>(); }
};

// How long the X server has seen no input, in ms.
unsigned long xIdleMs()
{
  Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  XScreenSaverQueryInfo(display, DefaultRootWindow(display), info);
  const unsigned long idle = info->idle;
  XFree(info);
  return idle;
}

QStringList* messages = nullptr;
void keepMessage(QtMsgType, const QMessageLogContext&, const QString& text) { *messages << text; }

class KeepAwakeDbusTest : public testing::Test {
protected:
  QTemporaryDir dir;
  AwakeFactory factory;
  std::unique_ptr<MediaFrm> form;
  QStringList logged;

  void SetUp() override
  {
    qputenv("windir", QFile::encodeName(dir.path()));
    const StartInfo start{{}, dir.filePath("kelvarino"), {}, {}, {}};
    form = std::make_unique<MediaFrm>(start, nullptr);
    ASSERT_TRUE(form->Form_Load(factory));
    messages = &logged;
    qInstallMessageHandler(keepMessage);
  }
  void TearDown() override
  {
    qInstallMessageHandler(nullptr);
    qunsetenv("windir");
  }
};

} // namespace

TEST_F(KeepAwakeDbusTest, EveryTickResetsTheSessionsIdleTimerOnce)
{
  FakeScreenSaver saver;
  for (int minute = 0; minute < 3; ++minute)
    form->keepAwake().TSeelp_Timer();
  EXPECT_TRUE(QTest::qWaitFor([&] { return saver.resets == 3; }, 3000)) << saver.resets;
  QTest::qWait(100);
  EXPECT_EQ(saver.resets, 3);
  EXPECT_EQ(logged, QStringList{});
}

TEST_F(KeepAwakeDbusTest, EveryTickResetsTheXServersIdleTime)
{
  QTest::qWait(400);
  ASSERT_GE(xIdleMs(), 350u);
  form->keepAwake().TSeelp_Timer();
  EXPECT_LT(xIdleMs(), 200u);
}

TEST_F(KeepAwakeDbusTest, WithoutAScreenSaverServiceOrABusNothingFailsAndNothingIsLogged)
{
  for (int minute = 0; minute < 3; ++minute)
    form->keepAwake().TSeelp_Timer();
  ScreenSaverDbus noBus{QDBusConnection(QStringLiteral("no bus"))};
  noBus.SetThreadExecutionState(ExecutionFlag::DisplayRequired);
  noBus.SetThreadExecutionState(ExecutionFlag::SystemRequired);
  QTest::qWait(300);
  EXPECT_EQ(logged, QStringList{});
}

#include "screensaver_dbus_test.moc"

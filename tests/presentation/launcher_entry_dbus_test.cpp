#include "presentation/launcher_entry_dbus.h"
#include "qt_printers.h"

#include <QDBusConnection>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Listens to the launcher-entry signal on a connection of its own, as a dock
// does, and keeps each update as "visible 0.25" or "hidden".
class Dock : public QObject {
  Q_OBJECT
public:
  QStringList updates;
  QString appUri;

  Dock() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "dock"))
  {
    m_bus.connect({}, {}, "com.canonical.Unity.LauncherEntry", "Update", this,
                  SLOT(update(QString, QVariantMap)));
  }
  ~Dock() override { QDBusConnection::disconnectFromBus("dock"); }

  // Waits until `count` updates arrived, then a little longer for any extra.
  QStringList waitFor(int count)
  {
    (void)QTest::qWaitFor([&] { return updates.size() >= count; }, 3000);
    QTest::qWait(100);
    return updates;
  }

public slots:
  void update(const QString& uri, const QVariantMap& properties)
  {
    appUri = uri;
    updates << (properties.value("progress-visible").toBool()
                    ? "visible " + QString::number(properties.value("progress").toDouble())
                    : QStringLiteral("hidden"));
  }

private:
  QDBusConnection m_bus;
};

class LauncherEntryTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()); }
  Dock dock;
};

} // namespace

TEST_F(LauncherEntryTest, ABarLeftFromAnEarlierRunIsClearedAtOnce)
{
  LauncherEntryDbus entry(QDBusConnection::sessionBus());
  EXPECT_EQ(dock.waitFor(1), QStringList{"hidden"});
  EXPECT_EQ(dock.appUri, "application://kelvarino.desktop");
}

TEST_F(LauncherEntryTest, EachTickIsOneUpdateAndPausedKeepsTheBar)
{
  auto entry = std::make_unique<LauncherEntryDbus>(QDBusConnection::sessionBus());
  entry->SetProgressValue(75, 300); // two ticks while playing
  entry->SetProgressState(ProgressState::Normal);
  entry->SetProgressValue(150, 300);
  entry->SetProgressState(ProgressState::Normal);
  entry->SetProgressValue(150, 300); // the tick that finds the pause
  entry->SetProgressState(ProgressState::Paused);
  entry->SetProgressState(ProgressState::NoProgress); // stopped
  entry.reset();                                       // the program ends
  EXPECT_EQ(dock.waitFor(6),
            (QStringList{"hidden", "visible 0.25", "visible 0.5", "visible 0.5", "hidden", "hidden"}));
}

TEST_F(LauncherEntryTest, IndeterminateShowsAnEmptyBarUntilTheNextValue)
{
  LauncherEntryDbus entry(QDBusConnection::sessionBus());
  entry.SetProgressValue(30, 60);
  entry.SetProgressState(ProgressState::Normal);
  entry.SetProgressState(ProgressState::Indeterminate);
  entry.SetProgressState(ProgressState::Indeterminate);
  entry.SetProgressValue(6, 60);
  entry.SetProgressState(ProgressState::Normal);
  EXPECT_EQ(dock.waitFor(4), (QStringList{"hidden", "visible 0.5", "visible 0", "visible 0.1"}));
}

TEST_F(LauncherEntryTest, ATotalOfZeroOrAPositionPastItGiveABarFromEmptyToFull)
{
  LauncherEntryDbus entry(QDBusConnection::sessionBus());
  entry.SetProgressValue(12, 0);
  entry.SetProgressValue(12, 10);
  EXPECT_EQ(dock.waitFor(3), (QStringList{"hidden", "visible 0", "visible 1"}));
}

#include "launcher_entry_dbus_test.moc"

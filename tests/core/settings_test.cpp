#include "core/settings.h"
#include "core/settings_file.h"

#include "temporary_files.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString Option = QStringLiteral("Option");

class SettingsStore : public testing::Test {
protected:
  QTemporaryDir windows;
  ScopedEnv windir{"windir", QFile::encodeName(windows.path())};
  const QString path = windows.filePath(QStringLiteral("Kelvarino.dat"));
  const Settings settings{};
};

} // namespace

TEST_F(SettingsStore, NoFileReadsEmptyAndTheFirstWriteCreatesTheOptionSection)
{
  for (const char* key : {"mRun", "Volume", "mReplay", "mRnd", "mTop", "zoom", "move"})
    EXPECT_EQ(settings.ReadIni(Option, QString::fromLatin1(key)), QString()) << key;
  EXPECT_TRUE(settings.WriteIni(Option, QStringLiteral("Volume"), QStringLiteral("50")));
  EXPECT_EQ(contentOf(path), "[Option]\r\nVolume=50\r\n");
}

TEST_F(SettingsStore, ReadRemovesOnlyOuterSpaces)
{
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("Volume"), QStringLiteral("  50  ")));
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("Volume")), QStringLiteral("50"));
  // Quotes keep blanks from the file's own trimming; then only spaces go.
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("zoom"), QStringLiteral("\" 50%\t\"")));
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("zoom")), QStringLiteral("50%\t"));
}

TEST_F(SettingsStore, ValuesKeepTheirCase)
{
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("mReplay"), QStringLiteral("true")));
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("mReplay")), QStringLiteral("true"));
}

TEST_F(SettingsStore, WriteKeepsTheFirst128CharactersAndReadTheFirst127Bytes)
{
  QString value;
  for (int i = 0; i < 200; ++i)
    value += QChar(u'a' + i % 26);
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("move"), value));
  EXPECT_EQ(contentOf(path), "[Option]\r\nmove=" + value.first(128).toLatin1() + "\r\n");
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("move")), value.first(127));

  // The cut never leaves half of a character outside the basic plane.
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("move"), QString(127, u'x') + QStringLiteral("\U0001F600")));
  EXPECT_EQ(contentOf(path), "[Option]\r\nmove=" + QByteArray(127, 'x') + "\r\n");
}

TEST_F(SettingsStore, ChangingZoomKeepsTheStoredRectangle)
{
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("zoom"), QStringLiteral("0")));
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("move"), QStringLiteral("1200,900,9300,6000")));
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("zoom"), QStringLiteral("50%")));
  EXPECT_EQ(contentOf(path), "[Option]\r\nzoom=50%\r\nmove=1200,900,9300,6000\r\n");
}

TEST_F(SettingsStore, LineBreaksInAValueStayInItsLine)
{
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("move"), QStringLiteral("1,2\r\n[Option]\r\nmRun=True")));
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("mRun")), QString());
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("move")), QStringLiteral("1,2  [Option]  mRun=True"));
}

TEST_F(SettingsStore, FailedWriteIntoAReadOnlyFolderKeepsTheOldFile)
{
  ASSERT_TRUE(settings.WriteIni(Option, QStringLiteral("Volume"), QStringLiteral("50")));
  const QByteArray before = contentOf(path);
  if (!makeReadOnly(windows.path()))
    GTEST_SKIP() << "this user writes into read-only folders";
  EXPECT_FALSE(settings.WriteIni(Option, QStringLiteral("Volume"), QStringLiteral("80")));
  EXPECT_EQ(contentOf(path), before);
  EXPECT_EQ(entriesOf(windows.path()), QStringList{QStringLiteral("Kelvarino.dat")});
  QFile::setPermissions(windows.path(), writableFolder);
}

TEST(SettingsFile, WindowsFolderFirstThenTheUsersConfigurationFolder)
{
  const ScopedEnv home("HOME", "/home/u");
  {
    const ScopedEnv windir("windir", "/srv/win/");
    EXPECT_EQ(settingsFilePath(), QStringLiteral("/srv/win/Kelvarino.dat"));
  }
  const ScopedEnv noWindir("windir", "");
  {
    const ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(settingsFilePath(), QStringLiteral("/cfg/Kelvarino.dat"));
  }
  for (const std::optional<QByteArray>& unusable : {std::optional<QByteArray>(), std::optional<QByteArray>(""),
                                                    std::optional<QByteArray>("relative/cfg")}) {
    const ScopedEnv config("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(settingsFilePath(), QStringLiteral("/home/u/.config/Kelvarino.dat"));
  }
}

TEST(SettingsFile, WriteMakesAMissingConfigurationFolder)
{
  QTemporaryDir home;
  const ScopedEnv windir("windir", std::nullopt);
  const ScopedEnv config("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("new/config"))));
  const Settings settings{};
  EXPECT_TRUE(settings.WriteIni(Option, QStringLiteral("mTop"), QStringLiteral("True")));
  EXPECT_EQ(contentOf(home.filePath(QStringLiteral("new/config/Kelvarino.dat"))), "[Option]\r\nmTop=True\r\n");
  EXPECT_EQ(settings.ReadIni(Option, QStringLiteral("mTop")), QStringLiteral("True"));
}

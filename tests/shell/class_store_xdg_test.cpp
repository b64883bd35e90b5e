#include "shell/class_store_xdg.h"
#include "shell/mod_find_reg.h"
#include "shell/mod_reg_name.h"
#include "temporary_files.h"
#include "qt_printers.h"

#include <QFileInfo>
#include <QProcess>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class ClassStoreXdgTest : public testing::Test {
protected:
  QTemporaryDir dir;
  XdgFolders folders{dir.filePath("data"), dir.filePath("config"), dir.filePath("icons"), {}};
  ClassStoreXdg store{folders};
  QString exe = dir.filePath("My Apps/kelvarino");

  QString entry() const { return QString::fromUtf8(contentOf(store.desktopEntryPath())); }
  QString mimeApps() const { return QString::fromUtf8(contentOf(store.mimeAppsPath())); }
  static ino_t inodeOf(const QString& path)
  {
    struct stat s {};
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? s.st_ino : 0;
  }
};

// The MIME types of the eighteen extensions on this system.
const QStringList allTypes{"video/x-matroska", "video/mp2t", "video/x-msvideo", "video/x-ms-wmv",
                           "application/vnd.rn-realmedia", "video/quicktime", "video/mp4",
                           "video/x-flv", "audio/mpeg", "audio/x-wav", "audio/x-ape", "audio/flac",
                           "audio/vnd.dts", "audio/x-ms-wma", "audio/midi",
                           "application/vnd.apple.mpegurl", "audio/x-mpegurl", "application/vnd.ms-wpl"};

bool eventually(const std::function<bool()>& condition)
{
  QElapsedTimer waited;
  waited.start();
  while (!condition()) {
    if (waited.elapsed() > 5000)
      return false;
    QThread::msleep(10);
  }
  return true;
}

bool hasTool(const char* name)
{
  return !QStandardPaths::findExecutable(name).isEmpty();
}

} // namespace

TEST_F(ClassStoreXdgTest, RegisteringWritesTheEntryThePackageAndTheDefault)
{
  ModRegName::RegisterProgId(store, exe);
  EXPECT_EQ(entry(), "[Desktop Entry]\nType=Application\nName=Kelvarino\nTerminal=false\n"
                     "Categories=AudioVideo;Audio;Video;Player;\nIcon=kelvarino\nComment=使用Kelvarino播放\n"
                     "Exec=\"" + exe + "\" %F\nMimeType=application/x-kelvarino;\n");
  EXPECT_TRUE(contentOf(store.mimePackagePath()).contains("<glob pattern=\"*.kq\"/>"));
  EXPECT_EQ(mimeApps(), "[Default Applications]\napplication/x-kelvarino=kelvarino.desktop;\n");
  EXPECT_EQ(ModFindReg::ReadOpenCommand(store), ModRegName::OpenCommand(exe));
  // The caches are rebuilt in the background.
  if (hasTool("update-mime-database")) {
    EXPECT_TRUE(eventually([&] { return QFile::exists(dir.filePath("data/mime/application/x-kelvarino.xml")); }));
  }
  if (hasTool("update-desktop-database")) {
    EXPECT_TRUE(eventually([&] {
      return contentOf(dir.filePath("data/applications/mimeinfo.cache"))
          .contains("application/x-kelvarino=kelvarino.desktop;");
    }));
  }
}

TEST_F(ClassStoreXdgTest, TheEntryPassesTheValidatorWithAwkwardProgramPaths)
{
  if (!hasTool("desktop-file-validate"))
    GTEST_SKIP() << "desktop-file-validate is not installed";
  for (const QString& program : {exe, dir.filePath("a\"b $(c) `d` \\e;f/kelvarino"),
                                 dir.filePath("100%/kelvarino")}) {
    ModRegName::RegisterProgId(store, program);
    ModRegName::AssociateExtensions(store);
    QProcess validate;
    validate.start("desktop-file-validate", {store.desktopEntryPath()});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    EXPECT_EQ(ModFindReg::ReadOpenCommand(store), ModRegName::OpenCommand(program));
  }
}

TEST_F(ClassStoreXdgTest, TheDesktopRunsTheExecWithEachFileAsOneArgumentAndASelectionInOneProcess)
{
  if (!hasTool("gio"))
    GTEST_SKIP() << "gio is not installed";
  // A program in a folder whose name a shell would misread.
  const QString folder = dir.filePath("it's a \"$(trap)\" `x`\\folder");
  const QString program = folder + "/kelvarino";
  const QString record = dir.filePath("argv");
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(putContent(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record.toUtf8() +
                                      ".part' && mv '" + record.toUtf8() + ".part' '" + record.toUtf8() + "'\n"));
  QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ModRegName::RegisterProgId(store, program);
  // A file manager's selection: a process for each file would record one line.
  const QStringList selection{dir.filePath("a clip $HOME.mp4"), dir.filePath("b.mkv")};
  for (const QString& media : selection)
    ASSERT_TRUE(putContent(media, "x"));
  QProcess launch;
  launch.start("gio", QStringList{"launch", store.desktopEntryPath()} + selection);
  ASSERT_TRUE(launch.waitForFinished(10000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 10000));
  EXPECT_EQ(contentOf(record), (selection.join('\n') + '\n').toUtf8());
}

TEST_F(ClassStoreXdgTest, NothingIsWrittenBeforeTheFlushOrWhenNothingChanged)
{
  store.setDefault(".kq", "Kelvarino");
  EXPECT_FALSE(QFile::exists(dir.filePath("data")));
  ModRegName::RegisterProgId(store, exe);
  const ino_t entryInode = inodeOf(store.desktopEntryPath());
  const ino_t listInode = inodeOf(store.mimeAppsPath());
  ModRegName::RegisterProgId(store, exe);
  EXPECT_EQ(inodeOf(store.desktopEntryPath()), entryInode);
  EXPECT_EQ(inodeOf(store.mimeAppsPath()), listInode);
}

TEST_F(ClassStoreXdgTest, AssociatingMapsTheMimeTypesOfTheEighteenExtensionsAndKeepsTheRest)
{
  QDir().mkpath(folders.configHome);
  const QByteArray other = "[Added Associations]\nvideo/mp4=vlc.desktop;\n\n"
                           "[Default Applications]\nvideo/mp4=vlc.desktop;\ntext/plain=gedit.desktop;\n";
  ASSERT_TRUE(putContent(store.mimeAppsPath(), other));
  ModRegName::RegisterProgId(store, exe);
  ModRegName::AssociateExtensions(store);

  const QString list = mimeApps();
  EXPECT_TRUE(list.startsWith("[Added Associations]\nvideo/mp4=vlc.desktop;\n\n[Default Applications]\n"
                              "video/mp4=kelvarino.desktop;\ntext/plain=gedit.desktop;\n"));
  for (const QString& type : allTypes)
    EXPECT_EQ(list.count("\n" + type + "=kelvarino.desktop;\n"), 1) << type.toStdString();
  const QString mimeLine = entry().section("MimeType=", 1).trimmed();
  EXPECT_TRUE(mimeLine.startsWith("application/x-kelvarino;"));
  for (const QString& type : allTypes)
    EXPECT_TRUE(mimeLine.contains(type + ";")) << type.toStdString();
}

TEST_F(ClassStoreXdgTest, AMovedProgramRewritesExecAndKeepsTheAssociations)
{
  ModRegName::RegisterProgId(store, exe);
  ModRegName::AssociateExtensions(store);
  const QString mimeTypes = entry().section("MimeType=", 1);
  const QString moved = dir.filePath("moved/kelvarino");
  EXPECT_NE(ModFindReg::ReadOpenCommand(store), ModRegName::OpenCommand(moved));
  ModRegName::RegisterProgId(store, moved);
  EXPECT_EQ(ModFindReg::ReadOpenCommand(store), ModRegName::OpenCommand(moved));
  EXPECT_TRUE(entry().contains("\nExec=" + moved + " %F\n"));
  EXPECT_EQ(entry().section("MimeType=", 1), mimeTypes);
}

TEST_F(ClassStoreXdgTest, AnInstalledEntryStaysInForceAndAMovedProgramCopiesAllItDeclares)
{
  const QString installedExe = dir.filePath("prefix/bin/kelvarino");
  const QByteArray installed = "# installed\n[Desktop Entry]\nType=Application\nName=Kelvarino\n"
                               "GenericName[zh_CN]=媒体播放器\nComment=Play\nComment[zh_CN]=播放\n"
                               "Exec=" + installedExe.toUtf8() + " %F\nIcon=kelvarino\nNoDisplay=false\n"
                               "MimeType=application/x-kelvarino;" + allTypes.join(';').toUtf8() + ";\n"
                               "Actions=Queue;\n\n"
                               "[Desktop Action Queue]\nName=Queue\nExec=" + installedExe.toUtf8() + " %F\n";
  ASSERT_TRUE(QDir().mkpath(dir.filePath("prefix/share/applications")));
  ASSERT_TRUE(putContent(dir.filePath("prefix/share/applications/kelvarino.desktop"), installed));
  XdgFolders withPrefix = folders;
  withPrefix.dataDirs = {dir.filePath("elsewhere"), dir.filePath("prefix/share")};
  ClassStoreXdg installedStore{withPrefix};

  // The installed copy's own start finds its command and writes nothing; the
  // menu command then writes the defaults alone.
  EXPECT_EQ(ModFindReg::ReadOpenCommand(installedStore), ModRegName::OpenCommand(installedExe));
  ModRegName::AssociateExtensions(installedStore);
  EXPECT_FALSE(QFile::exists(installedStore.desktopEntryPath())) << "the installed entry already has the types";
  EXPECT_TRUE(mimeApps().contains("\nvideo/mp4=kelvarino.desktop;\n"));

  // Another copy writes the user's entry: the installed one with its command.
  const QString moved = dir.filePath("moved/kelvarino");
  ModRegName::RegisterProgId(installedStore, moved);
  EXPECT_EQ(ModFindReg::ReadOpenCommand(installedStore), ModRegName::OpenCommand(moved));
  QByteArray expected = installed;
  expected.replace("Comment=Play\n", "Comment=使用Kelvarino播放\n")
      .replace("Exec=" + installedExe.toUtf8() + " %F\nIcon", "Exec=" + moved.toUtf8() + " %F\nIcon");
  EXPECT_EQ(entry(), QString::fromUtf8(expected));
}

TEST_F(ClassStoreXdgTest, WithoutAnEntryThereIsNoCommandToRead)
{
  QString value = "untouched";
  EXPECT_FALSE(store.readDefault("Kelvarino\\Shell\\open\\Command", &value));
  EXPECT_EQ(value, "untouched");
  EXPECT_EQ(ModFindReg::ReadOpenCommand(store), "");
}

TEST_F(ClassStoreXdgTest, TheIconsThereAreGoIntoTheHicolorTheme)
{
  ModRegName::RegisterProgId(store, exe);
  EXPECT_FALSE(QFile::exists(dir.filePath("data/icons"))) << "no icons to install yet";

  QDir().mkpath(dir.filePath("icons/hicolor/48x48/apps"));
  QDir().mkpath(dir.filePath("icons/hicolor/16x16/apps"));
  ASSERT_TRUE(putContent(dir.filePath("icons/hicolor/48x48/apps/kelvarino.png"), "png48"));
  ASSERT_TRUE(putContent(dir.filePath("icons/hicolor/16x16/apps/kelvarino.png"), "png16"));
  ASSERT_TRUE(putContent(dir.filePath("icons/kelvarino.svg"), "<svg/>"));
  store.setDefault("Kelvarino\\DefaultIcon", exe + ",0");
  store.flush();
  EXPECT_EQ(contentOf(dir.filePath("data/icons/hicolor/48x48/apps/kelvarino.png")), "png48");
  EXPECT_EQ(contentOf(dir.filePath("data/icons/hicolor/16x16/apps/kelvarino.png")), "png16");
  EXPECT_EQ(contentOf(dir.filePath("data/icons/hicolor/scalable/apps/kelvarino.svg")), "<svg/>");
}

#include "form_fixture.h"

#include "core/file_name_bytes.h"
#include "temporary_files.h"
#include <QDir>
#include <QRegularExpression>

namespace {

struct Placement {
  Twips left, top;
};

Placement centred(const FakeWindow& w)
{
  return {(w.screenW - w.width) / 2, (w.screenH - w.height) / 2};
}

} // namespace

TEST_F(FormTest, WithoutSettingsTheDefaultsApplyAndTheWindowIsCentred)
{
  load();
  EXPECT_FALSE(form->menus.checked(MenuItem::mRun));
  EXPECT_EQ(engine().vol, 50);
  EXPECT_TRUE(engine().modeCalls.isEmpty());
  EXPECT_FALSE(form->menus.checked(MenuItem::mTop));
  for (MenuItem z : {MenuItem::mZ1, MenuItem::mZ3, MenuItem::mZ4})
    EXPECT_FALSE(form->menus.checked(z));
  EXPECT_TRUE(form->menus.checked(MenuItem::mZ2));
  EXPECT_EQ(win().left, centred(win()).left);
  EXPECT_EQ(win().top, centred(win()).top);
  EXPECT_TRUE(engine().urls.isEmpty());
  EXPECT_TRUE(QDir(programFolder() + "/playlist").exists());
  EXPECT_FALSE(QFile::exists(settingsPath())) << "start-up writes no setting";
}

TEST_F(FormTest, OnlyTheExactTextTrueSwitchesAnOptionOn)
{
  writeSettings("mRun=true\r\nmReplay=TRUE\r\nmRnd=True\r\nmTop=1\r\n");
  load();
  EXPECT_FALSE(form->menus.checked(MenuItem::mRun));
  EXPECT_FALSE(form->menus.checked(MenuItem::mReplay));
  EXPECT_TRUE(form->menus.checked(MenuItem::mRnd));
  EXPECT_FALSE(form->menus.checked(MenuItem::mTop));
  EXPECT_EQ(engine().modeCalls, QStringList{"shuffle on"});
}

TEST_F(FormTest, SavedOptionsSetCheckMarksAndModes)
{
  writeSettings("mRun=True\r\nmReplay=True\r\nmRnd=True\r\nmTop=True\r\nVolume=30\r\n");
  load();
  EXPECT_TRUE(form->menus.checked(MenuItem::mRun));
  EXPECT_TRUE(form->menus.checked(MenuItem::mReplay));
  EXPECT_TRUE(form->menus.checked(MenuItem::mTop));
  EXPECT_EQ(engine().modeCalls, (QStringList{"loop on", "shuffle on"}));
  EXPECT_EQ(engine().vol, 30);
  EXPECT_FALSE(win().onTop) << "the window goes on top only when a video plays";
}

TEST_F(FormTest, AVolumeThatIsNoWholeNumberFromZeroTo100KeepsTheDesignVolume)
{
  for (const char* bad : {"abc", "150", "-1", "12.5", "5x"}) {
    writeSettings(QByteArray("Volume=") + bad + "\r\n");
    load();
    EXPECT_EQ(engine().vol, 50) << bad;
  }
  writeSettings("Volume=0\r\n");
  load();
  EXPECT_EQ(engine().vol, 0);
}

TEST_F(FormTest, TheCommandLineTailPlaysWithoutItsQuotes)
{
  load("\"/home/me/My Videos/a.mp4\"");
  EXPECT_EQ(engine().urls, QStringList{"/home/me/My Videos/a.mp4"});
  load("\"/v/a.mp4\" \"/v/b.mp4\"");
  EXPECT_EQ(engine().urls, QStringList{"/v/a.mp4 /v/b.mp4"}) << "two paths stay one URL";
}

TEST_F(FormTest, AnExistingNameIsPlayedAsReceivedAndSeveralFilesAsTheDefaultList)
{
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  start.workingFolder = dir.filePath("work");
  for (const char* name : {"say \"hi\".mp4", "a.mp4", "b.mp4", "a.mp4 b.mp4"})
    ASSERT_TRUE(putContent(dir.filePath("work/") + name, "x"));
  const QString list = programFolder() + "/playlist/default.m3u";

  load("say \"hi\".mp4");
  EXPECT_EQ(engine().urls, QStringList{"say \"hi\".mp4"}) << "the quotes are part of the name";

  ASSERT_TRUE(tryLoad(QStringList{"a.mp4", dir.filePath("work/say \"hi\".mp4")}));
  EXPECT_EQ(engine().urls, QStringList{list});
  EXPECT_EQ(contentOf(list),
            (dir.filePath("work/a.mp4") + "\r\n" + dir.filePath("work/say \"hi\".mp4") + "\r\n").toUtf8())
      << "full paths, in the order given";

  ASSERT_TRUE(tryLoad(QStringList{"a.mp4", "b.mp4"}));
  EXPECT_EQ(engine().urls, QStringList{"a.mp4 b.mp4"}) << "the joined text names a file: that file";
  ASSERT_TRUE(tryLoad(QStringList{"b.mp4", "missing.mp4"}));
  EXPECT_EQ(engine().urls, QStringList{"b.mp4 missing.mp4"}) << "not every one a file: one URL";
}

TEST_F(FormTest, TheZoomPresetMarksExactlyOneItem)
{
  const std::pair<const char*, MenuItem> cases[] = {
      {"50%", MenuItem::mZ1}, {"100%", MenuItem::mZ2}, {"200%", MenuItem::mZ3},
      {"0", MenuItem::mZ4},   {"", MenuItem::mZ2},     {"50 %", MenuItem::mZ2}};
  for (const auto& [value, item] : cases) {
    writeSettings(QByteArray("zoom=") + value + "\r\n");
    load();
    for (MenuItem z : {MenuItem::mZ1, MenuItem::mZ2, MenuItem::mZ3, MenuItem::mZ4})
      EXPECT_EQ(form->menus.checked(z), z == item) << value;
  }
}

TEST_F(FormTest, TheSavedRectangleIsRestoredOnlyInWindowSizeMode)
{
  writeSettings("zoom=0\r\nmove=1200,900,9300,6000\r\n");
  load();
  EXPECT_EQ(win().left, 1200);
  EXPECT_EQ(win().top, 900);
  EXPECT_EQ(win().width, 9300);
  EXPECT_EQ(win().height, 6000);
  const QStringList moves = win().log.filter(QRegularExpression("^(left|top|width|height) "));
  EXPECT_EQ(moves.mid(moves.size() - 4),
            (QStringList{"left 1200", "top 900", "width 9300", "height 6000"}));

  writeSettings("zoom=50%\r\nmove=1200,900,9300,6000\r\n");
  load();
  EXPECT_EQ(win().left, centred(win()).left);
  EXPECT_EQ(win().top, centred(win()).top);
}

TEST_F(FormTest, ARectangleThatCanBeAWindowHereIsRestoredExactly)
{
  // Larger than the screen with its title bar on it (a picture at 200 per
  // cent); mostly off the left edge with a grip of its title bar left; on a
  // second screen right of the first.
  factory.desktop << QRectF(28800, 0, 1280 * 15, 1024 * 15);
  for (const char* usable : {"-4807.5,0,60000,30000", "-8500,900,9300,6000", "30000,900,9300,6000",
                             "28000,15800,9300,6000"}) {
    writeSettings(QByteArray("zoom=0\r\nmove=") + usable + "\r\n");
    load();
    const QStringList rect = QString(usable).split(',');
    EXPECT_EQ(win().left, rect[0].toFloat()) << usable;
    EXPECT_EQ(win().top, rect[1].toFloat()) << usable;
    EXPECT_EQ(win().width, rect[2].toFloat()) << usable;
    EXPECT_EQ(win().height, rect[3].toFloat()) << usable;
  }
}

TEST_F(FormTest, ARectangleThatCannotBeAWindowHereKeepsTheCentredWindow)
{
  const char* bad[] = {
      "", "1200,900,9300", "1200,900,abc,6000", "1,2,3,4,5", "1200,900,0,6000", "1200,900,9300,-5",
      "nan,900,9300,6000", "1200,900,inf,6000",
      // Several times the desktop, or beyond what a number of pixels holds.
      "1200,900,1e12,1e12", "1200,900,1e30,6000", "0,0,90000,6000", "0,0,9300,50000",
      // A frame guessed around the full screen: the title bar above the top.
      "-60,-375,28920,16635",
      // Left of, right of and below the screen, or just a sliver of title bar
      // on it; far away.
      "-9000,900,9300,6000", "28800,900,9300,6000", "28200,900,9300,6000", "1200,16200,9300,6000",
      "1e30,900,9300,6000", "1200,-1e30,9300,6000"};
  for (const char* move : bad) {
    writeSettings(QByteArray("zoom=0\r\nmove=") + move + "\r\n");
    load();
    EXPECT_EQ(win().left, centred(win()).left) << move;
    EXPECT_EQ(win().top, centred(win()).top) << move;
    EXPECT_EQ(win().width, 9015 + 120) << move;
  }
  // Only the second screen makes the place right of the first one usable.
  writeSettings("zoom=0\r\nmove=30000,900,9300,6000\r\n");
  load();
  EXPECT_EQ(win().left, centred(win()).left);
}

TEST_F(FormTest, ThePlaylistFolderIsLeftAloneWhenItExists)
{
  QDir(programFolder()).mkpath("playlist");
  QFile keep(programFolder() + "/playlist/default.m3u");
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
  keep.write("/old.mp3\r\n");
  keep.close();
  load();
  EXPECT_EQ(keep.size(), 10);
}

TEST_F(FormTest, NamesThatAreNotUtf8KeepTheirBytesToTheEngineAndIntoTheList)
{
  ASSERT_TRUE(QDir(dir.path()).mkpath("work"));
  const QByteArray folder = QFile::encodeName(dir.filePath("work"));
  const QByteArray gbk = folder + "/\xB2\xE2\xCA\xD4.mp4"; // "测试" in GBK
  ASSERT_TRUE(putContent(dir.filePath("work/a.mp4"), "x"));
  const int fd = ::open(gbk.constData(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ::close(fd);

  load(decodeFileName(gbk));
  ASSERT_EQ(engine().urls.size(), 1);
  EXPECT_EQ(encodeFileName(engine().urls[0]), gbk);

  ASSERT_TRUE(tryLoad(QStringList{decodeFileName(gbk), dir.filePath("work/a.mp4")}));
  EXPECT_EQ(contentOf(programFolder() + "/playlist/default.m3u"),
            gbk + "\r\n" + QFile::encodeName(dir.filePath("work/a.mp4")) + "\r\n");
}

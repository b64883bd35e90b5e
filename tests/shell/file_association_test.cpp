#include "core/media_types.h"
#include "form_fixture.h"

#include "shell/mod_reg_name.h"
#include <QCoreApplication>

namespace {

const QString CommandKey = "Kelvarino\\Shell\\open\\Command";

QString commandFor(const QString& exe)
{
  return "\"" + exe + "\" \"%1\"";
}

} // namespace

class StartUpCheckTest : public FormTest {
protected:
  QString exe() const { return start.executablePath; }
  void registerAs(const QString& command) { factory.registered[CommandKey] = command; }
  // Start-up with nothing to open leaves the check's writes to the event loop.
  void loadAndSettle()
  {
    load();
    QCoreApplication::processEvents();
  }
};

TEST_F(StartUpCheckTest, AFirstStartWritesTheTypeSilentlyInTheDesignedOrder)
{
  load("/v/a.mp4");
  MediaItem video;
  video.imageSourceWidth = 640;
  video.imageSourceHeight = 360;
  engine().item = video;
  for (int state : {PlayState::Transitioning, PlayState::Playing})
    emit engine().PlayStateChange(state);
  EXPECT_TRUE(gui().classes.log.isEmpty()) << "nothing before the first picture";
  emit engine().pictureShown();
  EXPECT_EQ(gui().classes.log,
            (QStringList{"set .kq=Kelvarino", "set Kelvarino\\DefaultIcon=" + exe() + ",0",
                         "set Kelvarino\\Shell=open", "set Kelvarino\\Shell\\open=使用Kelvarino播放",
                         "set " + CommandKey + "=" + commandFor(exe()), "flush"}));
  EXPECT_TRUE(gui().messages.shown.isEmpty());
  EXPECT_EQ(form->events().ScrNor, "");
}

TEST_F(StartUpCheckTest, AnItemWithoutAPictureOrThatFailsLetsTheRepairRunThen)
{
  MediaItem song;
  song.sourceURL = "/v/a.mp3";
  for (const auto& [item, state] : {std::pair{song, PlayState::Playing},
                                    std::pair{MediaItem{}, PlayState::Stopped}}) {
    load("/v/a.mp3");
    engine().item = item;
    emit engine().PlayStateChange(PlayState::Transitioning);
    EXPECT_TRUE(gui().classes.log.isEmpty());
    emit engine().PlayStateChange(state);
    EXPECT_EQ(gui().classes.log.size(), 6) << state;
    emit engine().pictureShown();
    EXPECT_EQ(gui().classes.log.size(), 6) << "once";
  }
}

TEST_F(StartUpCheckTest, TheSameCommandWritesNothingAndStaysInScrNor)
{
  registerAs(commandFor(exe()));
  loadAndSettle();
  EXPECT_TRUE(gui().classes.log.isEmpty());
  EXPECT_EQ(form->events().ScrNor, commandFor(exe()));
}

TEST_F(StartUpCheckTest, AMovedProgramOrACommandDifferingOnlyInCaseIsRewritten)
{
  for (const QString& old : {commandFor(dir.filePath("old/kelvarino")), commandFor(exe().toUpper()),
                             commandFor(exe()) + " "}) {
    registerAs(old);
    loadAndSettle();
    EXPECT_EQ(gui().classes.values[CommandKey], commandFor(exe())) << old.toStdString();
    EXPECT_EQ(gui().classes.log.size(), 6) << "all five keys anew";
  }
}

TEST_F(StartUpCheckTest, ACommandOf256BytesOrMoreIsNeverReadBackWhole)
{
  // "\"" + path + "\" \"%1\"" adds 7 bytes; 片 is 3 bytes in UTF-8.
  const auto withLength = [this](int bytes) {
    const int filler = bytes - 7 - int(dir.path().toUtf8().size()) - 1;
    return dir.path() + "/" + QString(filler / 3, QChar(0x7247)) + QString(filler % 3, u'x');
  };
  start.executablePath = withLength(255);
  ASSERT_EQ(commandFor(exe()).toUtf8().size(), 255);
  registerAs(commandFor(exe()));
  loadAndSettle();
  EXPECT_TRUE(gui().classes.log.isEmpty());

  start.executablePath = withLength(256);
  ASSERT_EQ(commandFor(exe()).toUtf8().size(), 256);
  for (int i = 0; i < 2; ++i) {
    registerAs(commandFor(exe()));
    loadAndSettle();
    EXPECT_EQ(gui().classes.log.size(), 6) << "rewritten at every start";
    EXPECT_NE(form->events().ScrNor, commandFor(exe()));
    EXPECT_TRUE(commandFor(exe()).startsWith(form->events().ScrNor));
  }
}

class FileRegTest : public FormTest {
protected:
  void SetUp() override
  {
    factory.registered[CommandKey] = commandFor(start.executablePath);
    factory.registered[".mp4"] = "OtherPlayer.mp4";
    load();
  }
};

TEST_F(FileRegTest, AsksTheDesignedQuestion)
{
  gui().messages.answer = MessageBoxes::Answer::No;
  form->menuCommand(MenuItem::FileReg);
  ASSERT_EQ(gui().messages.shown.size(), 1);
  const auto& box = gui().messages.shown[0];
  EXPECT_EQ(box.icon, MessageBoxes::Icon::None);
  EXPECT_EQ(box.buttons, MessageBoxes::Buttons::YesNo);
  EXPECT_EQ(box.title, "Kelvarino - 文件关联");
  EXPECT_EQ(box.text, "是否关联以下常见音视频格式文件？关联后将默认使用Kelvarino进行播放。\n"
                      ".mkv;.m2t;.avi;.wmv;.rm;.rmvb;.mov;.mp4;.flv;.mp3;.wav;.ape;.flac;.dts;.wma;"
                      ".mid;.m3u;.wpl");
  EXPECT_TRUE(gui().classes.log.isEmpty()) << "No writes nothing";
}

TEST_F(FileRegTest, YesMapsTheEighteenExtensionsInOrderAndLeavesKqAlone)
{
  gui().messages.answer = MessageBoxes::Answer::Yes;
  form->FileReg_Click();
  QStringList expected;
  for (const QString& ext : MediaTypes::associatedExtensions())
    expected << "set " + ext + "=Kelvarino";
  expected << "flush";
  EXPECT_EQ(gui().classes.log, expected);
  EXPECT_EQ(gui().classes.values[".mp4"], "Kelvarino");
  EXPECT_EQ(gui().classes.values.count(".kq"), 0u);
  EXPECT_EQ(gui().messages.shown.size(), 1) << "no message follows";
}

#include "form_fixture.h"

#include "app/hand_off_command.h"
#include "temporary_files.h"
#include <QRegularExpression>

// A second start while another instance runs.
class SecondStartTest : public FormTest {
protected:
  FakeInstanceChannel instances;
  SecondStartTest()
  {
    instances.othersRunning = true;
    channel = &instances;
  }
};

TEST_F(SecondStartTest, HandsTheTailOverAsReceivedAndNeverBuildsAWindow)
{
  EXPECT_FALSE(tryLoad("\"/v/a.mp4\" \"/v/b.mp4\""));
  EXPECT_EQ(instances.sent, QStringList{"\"/v/a.mp4\" \"/v/b.mp4\""});
  EXPECT_EQ(factory.created, 0);
  EXPECT_FALSE(QFile::exists(settingsPath())) << "no setting is written";

  EXPECT_FALSE(tryLoad());
  EXPECT_EQ(instances.sent.last(), "nor");
}

TEST_F(SecondStartTest, OnlyTheExactTextTrueLetsASecondWindowOpen)
{
  writeSettings("mRun=true\r\n");
  EXPECT_FALSE(tryLoad("/v/a.mp4"));
  EXPECT_EQ(factory.created, 0);

  writeSettings("mRun=True\r\n");
  EXPECT_TRUE(tryLoad("/v/a.mp4"));
  EXPECT_EQ(instances.sent, QStringList{"/v/a.mp4"}) << "the second window sends nothing";
  EXPECT_TRUE(form->menus.checked(MenuItem::mRun));
  EXPECT_TRUE(gui().server.path.isEmpty()) << "the running instance keeps answering";
}

TEST_F(SecondStartTest, TheDesktopsActivationTokenGoesAheadOfTheCommand)
{
  start.activationToken = "t-1";
  tryLoad("/v/a.mp4");
  EXPECT_EQ(instances.sent, QStringList{QChar(0) + QString("t-1") + QChar(0) + "/v/a.mp4"});
}

TEST_F(SecondStartTest, EndsWithoutAWindowWhenNobodyAnswers)
{
  instances.answered = false;
  EXPECT_FALSE(tryLoad("/v/a.mp4"));
  EXPECT_EQ(instances.sent, QStringList{"/v/a.mp4"});
  EXPECT_EQ(factory.created, 0);
}

TEST_F(SecondStartTest, ARelativePathToAnExistingFileIsSentAbsolute)
{
  QDir(dir.path()).mkpath("work/My Videos");
  ASSERT_TRUE(putContent(dir.filePath("work/My Videos/a b.mp4"), "x"));
  start.workingFolder = dir.filePath("work");
  const QString absolute = dir.filePath("work/My Videos/a b.mp4");

  tryLoad("\"My Videos/a b.mp4\"");
  tryLoad("My Videos/../My Videos/a b.mp4");
  tryLoad("\"missing.mp4\"");
  tryLoad("\"" + absolute + "\"");
  tryLoad("https://example.com/a.mp4");
  EXPECT_EQ(instances.sent, (QStringList{"\"" + absolute + "\"", absolute, "\"missing.mp4\"",
                                         "\"" + absolute + "\"", "https://example.com/a.mp4"}));
}

TEST_F(SecondStartTest, SeveralExistingFilesGoAsOneListOfAbsolutePaths)
{
  QDir(dir.path()).mkpath("work/sub");
  for (const char* name : {"work/a.mp4", "work/sub/b c.mp4"})
    ASSERT_TRUE(putContent(dir.filePath(name), "x"));
  start.workingFolder = dir.filePath("work");

  tryLoad(QStringList{"a.mp4", dir.filePath("work/sub/b c.mp4")});
  tryLoad(QStringList{"a.mp4", "missing.mp4"});
  tryLoad(QStringList{"a.mp4", "sub"});
  ASSERT_EQ(instances.sent.size(), 3);
  EXPECT_EQ(instances.sent[0].split(QChar(0)),
            (QStringList{dir.filePath("work/a.mp4"), dir.filePath("work/sub/b c.mp4")}));
  EXPECT_EQ(instances.sent[1], "a.mp4 missing.mp4") << "not every one a file: the tail as received";
  EXPECT_EQ(instances.sent[2], "a.mp4 sub") << "a folder is no file of a list";
}

TEST(HandOffCommand, TwoPathsStayOneTextAndAnEmptyTailIsNor)
{
  EXPECT_EQ(handOffCommand({}, "/tmp"), "nor");
  EXPECT_EQ(handOffCommand({""}, "/tmp"), "nor");
  EXPECT_EQ(handOffCommand({"\"\""}, "/"), "\"\"");
  EXPECT_EQ(handOffCommand({"\"tmp\" \"etc\""}, "/"), "\"tmp\" \"etc\"");
  EXPECT_EQ(handOffCommand({"tmp", "etc"}, "/"), "tmp etc") << "folders are not a list of files";
}

// The first instance, receiving commands.
class LinkExecuteTest : public FormTest {
protected:
  FakeInstanceChannel instances;
  LinkExecuteTest()
  {
    channel = &instances;
    load();
    win().log.clear();
  }
  void execute(const QString& command)
  {
    int cancel = -1;
    form->Form_LinkExecute(command, cancel);
    EXPECT_EQ(cancel, 0) << "every command is accepted";
  }
  // What the handler did to the window; a state change also resizes the player.
  QStringList changes() const
  {
    return factory.gui->win.log.filter(QRegularExpression("^(state|front)"));
  }
  QStringList states() const { return factory.gui->win.log.filter("state"); }
};

TEST_F(LinkExecuteTest, TheFirstInstanceListensAndCommandsReachTheHandler)
{
  EXPECT_EQ(gui().server.path, "/run/test/instance");
  win().state = WindowState::Minimized;
  gui().server.deliver("\"/v/a.mp4\"");
  EXPECT_EQ(engine().url, "/v/a.mp4");
  EXPECT_EQ(win().state, WindowState::Normal);
}

TEST_F(LinkExecuteTest, AnActivationTokenIsGivenToTheWindowBeforeItComesToTheFront)
{
  gui().server.deliver(withActivationToken("\"/v/a.mp4\"", "t-1"));
  gui().server.deliver(QChar(0) + QString("no end")); // no whole token: a tail
  EXPECT_EQ(win().log.filter(QRegularExpression("^(token|front)")),
            (QStringList{"token t-1", "front", "front"}));
  EXPECT_EQ(engine().urls, (QStringList{"/v/a.mp4", " no end"}));
}

TEST_F(LinkExecuteTest, NorRestoresTheWindowAndPlaysNothing)
{
  win().state = WindowState::Maximized;
  engine().url = "/playing.mp4";
  execute("nor");
  EXPECT_EQ(changes(), (QStringList{"state 0", "front"}));
  EXPECT_EQ(engine().urls, QStringList{});

  execute("nor");
  EXPECT_EQ(states(), (QStringList{"state 0", "state 0"})) << "set to normal every time";
}

TEST_F(LinkExecuteTest, AnyOtherTextIsPlayedWithoutItsQuotes)
{
  win().state = WindowState::Minimized;
  execute("\"/home/me/My Videos/a.mp4\"");
  EXPECT_EQ(changes(), (QStringList{"state 0", "front"}));
  EXPECT_EQ(engine().urls, QStringList{"/home/me/My Videos/a.mp4"});

  win().log.clear();
  execute("NOR");
  execute("nor ");
  execute("xGetInfo:/bin/true");
  EXPECT_EQ(engine().urls.mid(1), (QStringList{"NOR", "nor ", "xGetInfo:/bin/true"}));
  EXPECT_TRUE(states().isEmpty()) << "a normal window is left as it is";
  EXPECT_FALSE(QFile::exists(programFolder() + "/playlist/default.m3u"));
}

TEST_F(LinkExecuteTest, AnExistingNameKeepsItsQuotesAndAListOfFilesPlaysAsTheDefaultList)
{
  ASSERT_TRUE(QDir(dir.path()).mkpath("media"));
  const QString quoted = dir.filePath("media/say \"hi\".mp4");
  const QString plain = dir.filePath("media/a.mp4");
  ASSERT_TRUE(putContent(quoted, "x"));
  ASSERT_TRUE(putContent(plain, "x"));
  execute(quoted);
  execute("\"" + plain + "\"");
  execute(quoted + QChar(0) + plain);
  const QString list = programFolder() + "/playlist/default.m3u";
  EXPECT_EQ(engine().urls, (QStringList{quoted, plain, list}));
  EXPECT_EQ(contentOf(list), (quoted + "\r\n" + plain + "\r\n").toUtf8());

  execute(plain + QChar(0) + dir.filePath("media/gone.mp4"));
  EXPECT_EQ(engine().urls.last(), plain + " " + dir.filePath("media/gone.mp4"))
      << "not every one a file: one text, as a tail";
}

TEST_F(LinkExecuteTest, AWindowSetNormalTakesThePlayerOutOfFullScreen)
{
  // Full screen comes from maximising, and the window reports it as maximised.
  for (const QString& command : {QString("nor"), QString("\"/v/a.mp4\"")}) {
    win().state = WindowState::Maximized;
    engine().full = true;
    execute(command);
    EXPECT_EQ(win().state, WindowState::Normal) << command.toStdString();
    EXPECT_FALSE(engine().full) << command.toStdString();
  }
}

TEST_F(LinkExecuteTest, GetInfoStartsTheProgramWithOneArgumentOfAuthorAndTitle)
{
  MediaItem item = FakeEngine::audio();
  item.author = "Ann \"A\" O'Neil";
  item.title = "; rm -rf ~ $(reboot) `id` \\ end";
  engine().item = item;
  execute("GetInfo:/opt/tool/report --mode \"two words\"");
  ASSERT_EQ(gui().launcher.started.size(), 1);
  const auto& started = gui().launcher.started[0];
  EXPECT_EQ(started.program, "/opt/tool/report");
  EXPECT_EQ(started.arguments,
            (QStringList{"--mode", "two words", "FileName:" + item.author + " - " + item.title}));
  EXPECT_FALSE(started.watched);
  EXPECT_TRUE(win().log.isEmpty());
  EXPECT_TRUE(engine().urls.isEmpty());
}

TEST_F(LinkExecuteTest, GetInfoWithoutMediaGivesEmptyAuthorAndTitle)
{
  execute("GetInfo:/bin/reportGetInfo:");
  ASSERT_EQ(gui().launcher.started.size(), 1);
  EXPECT_EQ(gui().launcher.started[0].program, "/bin/report") << "every GetInfo: is removed";
  EXPECT_EQ(gui().launcher.started[0].arguments, QStringList{"FileName: - "});
}

TEST_F(LinkExecuteTest, GetInfoWithNothingToStartOrAProgramThatFailsChangesNothing)
{
  execute("GetInfo:");
  execute("GetInfo:   ");
  EXPECT_TRUE(gui().launcher.started.isEmpty());
  gui().launcher.starts = false;
  execute("GetInfo:/no/such/program");
  EXPECT_EQ(gui().launcher.started.size(), 1);
  EXPECT_TRUE(win().log.isEmpty());
  EXPECT_TRUE(engine().urls.isEmpty());
}

TEST_F(FormTest, MRunTogglesItsCheckMarkAndWritesTheSettingAtOnce)
{
  load();
  form->menuCommand(MenuItem::mRun);
  EXPECT_TRUE(form->menus.checked(MenuItem::mRun));
  EXPECT_EQ(setting("mRun"), "True");
  form->menuCommand(MenuItem::mRun);
  EXPECT_FALSE(form->menus.checked(MenuItem::mRun));
  EXPECT_EQ(setting("mRun"), "False");
}

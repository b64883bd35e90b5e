#include "shell/desktop_entry_xdg.h"
#include "shell/mime_apps_xdg.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace DesktopEntry;

namespace {

QString command(const QString& program)
{
  return "\"" + program + "\" \"%1\"";
}

} // namespace

TEST(DesktopEntryExec, TheProgramIsQuotedOnlyWhenItHoldsAReservedCharacter)
{
  EXPECT_EQ(execFromOpenCommand(command("/opt/kelvarino/kelvarino")), "/opt/kelvarino/kelvarino %F");
  EXPECT_EQ(execFromOpenCommand(command("/opt/播放器-1.0/kelvarino")), "/opt/播放器-1.0/kelvarino %F");
  EXPECT_EQ(execFromOpenCommand(command("/opt/My Apps/kelvarino")), "\"/opt/My Apps/kelvarino\" %F");
  EXPECT_EQ(execFromOpenCommand(command("/opt/a\"b`c$d\\e/k")), "\"/opt/a\\\"b\\`c\\$d\\\\e/k\" %F");
  EXPECT_EQ(execFromOpenCommand(command("/opt/100%/k")), "/opt/100%%/k %F");
  EXPECT_EQ(execFromOpenCommand(command("/opt/it's;(x)/k")), "\"/opt/it's;(x)/k\" %F");
}

TEST(DesktopEntryExec, TheOpenCommandComesBackExactlyFromTheFile)
{
  for (const QString& program :
       {QString("/opt/kelvarino/kelvarino"), QString("/opt/My Apps/kelvarino"),
        QString("/opt/a\"b/kelvarino"), QString("/opt/x\" \"y/kelvarino"), QString("/opt/$(reboot)/k"),
        QString("/opt/back\\slash\\/k"), QString("/opt/100% sure/%f"), QString("/opt/new\nline/k"),
        QString("/opt/tab\there/k"), QString("/opt/`id`;'q'/k"), QString(" /leading space")}) {
    const QString inFile = escapeValue(execFromOpenCommand(command(program)));
    EXPECT_FALSE(inFile.contains(u'\n')) << program.toStdString();
    EXPECT_EQ(openCommandFromExec(unescapeValue(inFile)), command(program)) << inFile.toStdString();
  }
}

TEST(DesktopEntryExec, OtherExecLinesReadBackAsQuotedArguments)
{
  EXPECT_EQ(openCommandFromExec("/opt/k --flag %F"), "\"/opt/k\" \"--flag\" \"%1\"");
  // An older entry that starts one process for each selected file is no
  // command of ours, so the start-up check mends it.
  EXPECT_EQ(openCommandFromExec("/opt/k %f"), "\"/opt/k\" \"%f\"");
  EXPECT_EQ(openCommandFromExec("\"/opt/x y/k\"   \"%F\""), "\"/opt/x y/k\" \"%F\"")
      << "a quoted field code is no field code";
  EXPECT_EQ(openCommandFromExec(""), "");
  EXPECT_EQ(execFromOpenCommand("\"/opt/x y/k\" --flag \"%1\""), "\"/opt/x y/k\" --flag %F");
}

TEST(DesktopEntryValue, EscapesSurviveTheRoundTripAndUnknownOnesStay)
{
  const QString value = " a\\b\nc\td\re";
  EXPECT_EQ(escapeValue(value), "\\sa\\\\b\\nc\\td\\re");
  EXPECT_EQ(unescapeValue(escapeValue(value)), value);
  EXPECT_EQ(unescapeValue("a\\;b\\"), "a\\;b\\");
}

TEST(DesktopEntryGroup, OnlyTheFirstDesktopEntryGroupAndTheFirstOfDuplicateKeysCount)
{
  const QByteArray file = "# comment\n[Desktop Entry]\nExec = /a %f\r\nName=K\nExec=/b\n"
                          "Name[zh_CN]=播放\n[Desktop Action x]\nIcon=no\n[Desktop Entry]\nIcon=no\n";
  const auto group = readGroup(file);
  ASSERT_EQ(group.size(), 3);
  EXPECT_EQ(group[0], std::make_pair(QString("Exec"), QString("/a %f")));
  EXPECT_EQ(group[2], std::make_pair(QString("Name[zh_CN]"), QString("播放")));
}

TEST(DesktopEntryGroup, SetValuesReplaceTheFirstLineOrFollowTheGroupAndNothingElseMoves)
{
  const QByteArray file = "# c\n[Desktop Entry]\nName=K\n#Exec=old\nExec=/a %f\nExec=/dup\n"
                          "Name[zh_CN]=播放\n\n[Desktop Action x]\nExec=/a --x\n";
  EXPECT_EQ(withValues(file, {{"Exec", "/b\\c %f"}, {"Icon", " k"}}),
            "# c\n[Desktop Entry]\nName=K\n#Exec=old\nExec=/b\\\\c %f\nExec=/dup\n"
            "Name[zh_CN]=播放\nIcon=\\sk\n\n[Desktop Action x]\nExec=/a --x\n");
  EXPECT_EQ(withValues("[Desktop Entry]\nName=K", {{"Icon", "k"}}), "[Desktop Entry]\nName=K\nIcon=k\n");
  EXPECT_EQ(withValues("[Other]\nName=K\n", {{"Icon", "k"}}), "[Other]\nName=K\n");
}

TEST(MimeAppsList, DefaultsReplaceTheirLinesAndEveryOtherByteStays)
{
  const QByteArray before = "[Added Associations]\nvideo/mp4=vlc.desktop;\n\n"
                            "[Default Applications]\r\n# mine\r\nvideo/mp4=vlc.desktop;totem.desktop;\r\n"
                            "text/plain=gedit.desktop;\r\nvideo/mp4 = old.desktop;\r\n\r\n"
                            "[Removed Associations]\naudio/mpeg=x.desktop;\n";
  const QByteArray after = withDefaultApplication(before, {"video/mp4", "audio/mpeg"}, "k.desktop");
  EXPECT_EQ(after, "[Added Associations]\nvideo/mp4=vlc.desktop;\n\n"
                   "[Default Applications]\r\n# mine\r\nvideo/mp4=k.desktop;\n"
                   "text/plain=gedit.desktop;\r\naudio/mpeg=k.desktop;\n\r\n"
                   "[Removed Associations]\naudio/mpeg=x.desktop;\n");
  EXPECT_EQ(withDefaultApplication(after, {"video/mp4", "audio/mpeg"}, "k.desktop"), after);
}

TEST(MimeAppsList, AMissingGroupIsAddedAtTheEnd)
{
  EXPECT_EQ(withDefaultApplication("", {"a/b"}, "k.desktop"), "[Default Applications]\na/b=k.desktop;\n");
  EXPECT_EQ(withDefaultApplication("[Added Associations]\nx/y=z.desktop;", {"a/b"}, "k.desktop"),
            "[Added Associations]\nx/y=z.desktop;\n\n[Default Applications]\na/b=k.desktop;\n");
  EXPECT_EQ(withDefaultApplication("[Default Applications]", {"a/b"}, "k.desktop"),
            "[Default Applications]\na/b=k.desktop;\n");
}

#include "shell/mod_open_url.h"

#include "fake_dialogs.h"
#include "fake_process_launcher.h"
#include <gtest/gtest.h>

TEST(OpenInBrowser, HandsTheAddressToXdgOpenAsOneArgumentAndSaysNothingOnSuccess)
{
  FakeProcessLauncher processes;
  FakeMessageBoxes messages;
  const QString url = "http://example.org/a b.mp4?x=1&y=$(rm -rf ~);";
  ModOpenUrl::OpenInBrowser(processes, messages, url);
  ASSERT_EQ(processes.started.size(), 1);
  EXPECT_EQ(processes.started[0].program, "xdg-open");
  EXPECT_EQ(processes.started[0].arguments, QStringList{url});
  EXPECT_TRUE(processes.started[0].watched) << "only a watched start tells a failure";
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(OpenInBrowser, AStartThatFailsOrAFailureStatusShowsTheErrorMessage)
{
  for (const bool starts : {false, true}) {
    SCOPED_TRACE(starts ? "ends with a failure status" : "cannot start");
    FakeProcessLauncher processes;
    processes.starts = starts;
    processes.succeeds = false;
    FakeMessageBoxes messages;
    ModOpenUrl::OpenInBrowser(processes, messages, "http://example.org/");
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(messages.shown[0].title, "错误：");
    EXPECT_EQ(messages.shown[0].text, "调用浏览器错误！");
    EXPECT_EQ(messages.shown[0].buttons, MessageBoxes::Buttons::Ok);
  }
}

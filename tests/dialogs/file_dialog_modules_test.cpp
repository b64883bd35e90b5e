#include "dialogs/file_patterns.h"
#include "dialogs/mod_api_save.h"
#include "dialogs/mod_cdl.h"
#include "fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
const QChar NUL(0);

QString raw(std::initializer_list<QString> pieces, int rest = 20)
{
  QString text;
  for (const QString& p : pieces)
    text += p + NUL;
  return text + QString(rest, u' ');
}
} // namespace

TEST(SplitSelection, OneFileInEitherShape)
{
  QStringList files{"stale"};
  EXPECT_EQ(ModCdl::SplitSelection(raw({"/media/a.mkv", ""}), files), 0);
  EXPECT_EQ(files, QStringList{"/media/a.mkv"});
  EXPECT_EQ(ModCdl::SplitSelection(raw({"/media/a.mkv"}), files), 0);
  EXPECT_EQ(files, QStringList{"/media/a.mkv"});
}

TEST(SplitSelection, SeveralFilesAreJoinedToTheirFolderInOrder)
{
  QStringList files;
  EXPECT_EQ(ModCdl::SplitSelection(raw({"/media", "a.mkv", "b.mp3", "c.avi", ""}), files), 2);
  EXPECT_EQ(files, (QStringList{"/media/a.mkv", "/media/b.mp3", "/media/c.avi"}));
  EXPECT_EQ(ModCdl::SplitSelection(raw({"/", "a.mkv", "b.mkv", ""}), files), 1);
  EXPECT_EQ(files, (QStringList{"/a.mkv", "/b.mkv"})) << "the root is not doubled";
}

TEST(ShowOpenDialog, GivesTheBufferInTheDesignedShape)
{
  FakeFileDialogs dialogs;
  const QString filter = ModCdl::FilterText({{"Video", "*.mp4;*.mkv"}, {"All", "*.*"}});
  EXPECT_EQ(filter, QString("Video") + NUL + "*.mp4;*.mkv" + NUL + "All" + NUL + "*.*" + NUL + NUL);

  EXPECT_EQ(ModCdl::ShowOpenDialog(dialogs, "t", filter, 1, 100), "") << "cancelled";
  ASSERT_EQ(dialogs.calls.size(), 1);
  EXPECT_EQ(dialogs.calls[0].filters.size(), 2);
  EXPECT_EQ(dialogs.calls[0].filters[0].patterns, "*.mp4;*.mkv");

  dialogs.answerFiles = {"/m/a.mkv"};
  QString result = ModCdl::ShowOpenDialog(dialogs, "t", filter, 1, 100);
  EXPECT_EQ(result.size(), 99);
  EXPECT_EQ(result, raw({"/m/a.mkv", ""}, 99 - 10));

  dialogs.answerFiles = {"/m/a.mkv", "/m/b.mkv", "/m/sub/c.mkv"};
  result = ModCdl::ShowOpenDialog(dialogs, "t", filter, 1, 100);
  QStringList files;
  EXPECT_EQ(ModCdl::SplitSelection(result, files), 2);
  EXPECT_EQ(files, dialogs.answerFiles);
}

TEST(ShowOpenDialog, ASelectionThatDoesNotFitTheBufferFailsLikeACancel)
{
  FakeFileDialogs dialogs;
  dialogs.answerFiles = {"/m/aaaa.mkv", "/m/bbbb.mkv"}; // "/m" NUL 2×(8+1) NUL = 22 characters
  EXPECT_EQ(ModCdl::ShowOpenDialog(dialogs, "t", {}, 1, 23).size(), 22);
  EXPECT_EQ(ModCdl::ShowOpenDialog(dialogs, "t", {}, 1, 22), "");
}

TEST(ShowFileDialog, TheModeChoosesTheFormInAnyLetterCase)
{
  FakeFileDialogs dialogs;
  FakeMessageBoxes messages;
  dialogs.answerFile = "/v/clip.mkv";
  for (const char* open : {"OPEN", "Open", "open"})
    EXPECT_EQ(ModAPISave::ShowFileDialog(dialogs, messages, open, "t", "/v/clip.mkv"), "/v/clip.mkv");
  for (const char* save : {"save", "OPENX", ""})
    ModAPISave::ShowFileDialog(dialogs, messages, save, "保存文件", "/v/clip.mkv");
  QStringList kinds;
  for (const auto& c : dialogs.calls)
    kinds << c.kind;
  EXPECT_EQ(kinds, (QStringList{"open", "open", "open", "save", "save", "save"}));
  const auto& save = dialogs.calls.back();
  EXPECT_EQ(save.title, "保存文件");
  EXPECT_EQ(save.preset, "/v/clip.mkv");
  EXPECT_EQ(save.defaultSuffix, "mkv") << "a typed name without extension keeps the media's own";
  ASSERT_EQ(save.filters.size(), 5);
  EXPECT_TRUE(save.filters[0].patterns.contains("*.flac"));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(ShowFileDialog, LongPathsWorkOnlyPathsBeyondTheSystemLimitFail)
{
  FakeFileDialogs dialogs;
  FakeMessageBoxes messages;
  const QString deep = "/" + QString("folder/").repeated(60) + "clip.mkv"; // 429 characters
  dialogs.answerFile = deep + ".copy";
  EXPECT_EQ(ModAPISave::ShowFileDialog(dialogs, messages, "save", "t", deep), deep + ".copy");
  ASSERT_EQ(dialogs.calls.size(), 1);
  EXPECT_EQ(dialogs.calls[0].preset, deep);
  EXPECT_TRUE(messages.shown.isEmpty());

  // 4096 bytes with the NUL: no file by that name can be opened.
  const QString tooLong = "/" + QString(1365, u'中');
  EXPECT_EQ(ModAPISave::ShowFileDialog(dialogs, messages, "save", "t", tooLong), "");
  EXPECT_EQ(dialogs.calls.size(), 1) << "no dialog for a path the system refuses";
  dialogs.answerFile = tooLong;
  EXPECT_EQ(ModAPISave::ShowFileDialog(dialogs, messages, "save", "t", "/v/a.mkv"), "");
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::Error);
  EXPECT_EQ(messages.shown[0].title, "");
  EXPECT_EQ(messages.shown[0].text, "未知原因导致操作失败！");

  dialogs.answerFile = "";
  EXPECT_EQ(ModAPISave::ShowFileDialog(dialogs, messages, "save", "t", "/v/a.mkv"), "");
  EXPECT_EQ(messages.shown.size(), 2) << "cancel is silent";
}

TEST(FilePatterns, MatchWholeNamesInAnyLetterCase)
{
  const FilePatterns media("*.mkv; *.mp3");
  EXPECT_TRUE(media.matches("Clip.MKV"));
  EXPECT_TRUE(media.matches("song.mp3"));
  EXPECT_FALSE(media.matches("clip.mkv.part")) << "the whole name must match";
  EXPECT_FALSE(media.matches("mkv"));
  EXPECT_TRUE(FilePatterns().matches("anything")) << "no patterns, no filter";
}

TEST(FilePatterns, AllFilesListsNamesWithoutAnExtensionToo)
{
  // "所有文件(*.*)" means every file, as it does where the pattern comes from.
  const FilePatterns all("*.*");
  for (const char* name : {"clip.mkv", "README", ".hidden", "trailing.", "a.b.c"})
    EXPECT_TRUE(all.matches(name)) << name;
}

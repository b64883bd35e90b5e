#include "form_fixture.h"

#include "core/media_types.h"
#include "temporary_files.h"
#include <QDir>
#include <sys/stat.h>

class DropTest : public FormTest {
protected:
  QString media;
  void SetUp() override
  {
    load();
    media = dir.filePath("media");
    QDir().mkpath(media);
    // A list left by an earlier command.
    ASSERT_TRUE(putContent(playlist(), "/earlier.mp3\r\n"));
  }
  QString playlist() const { return programFolder() + "/playlist/default.m3u"; }
  void touch(const QString& name) { ASSERT_TRUE(putContent(media + "/" + name, "x")); }
};

TEST_F(DropTest, TheFileListShowsOnlyOrdinaryMatchingFilesSortedWithoutRegardToCase)
{
  for (const char* name : {"b.mp3", "a.MP4", "C.Mkv", "notes.txt", ".hidden.mp4", "mp4", "x.mp4.part",
                           "B.kqa", "a.mp4"})
    touch(name);
  QDir(media).mkpath("folder.avi");
  touch("folder.avi/inside.mp4");
  ASSERT_EQ(mkfifo(QFile::encodeName(media + "/pipe.mp3").constData(), 0600), 0);
  QFile::link(media + "/gone", media + "/dangling.mp3");
  QFile::link(media + "/b.mp3", media + "/link.mp3");

  FileListBox list(MediaTypes::folderListPattern());
  ASSERT_TRUE(list.setPath(media));
  EXPECT_EQ(list.List(), (QStringList{"a.MP4", "a.mp4", "B.kqa", "b.mp3", "C.Mkv", "link.mp3"}));
  EXPECT_EQ(list.ListCount(), 6);

  EXPECT_FALSE(list.setPath(media + "/b.mp3"));
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_FALSE(list.setPath(media + "/none"));
}

TEST_F(DropTest, OneFilePlaysDirectlyAndLeavesThePlayListAlone)
{
  touch("My Clip.mp4");
  form->Form_OLEDragDrop({media + "/My Clip.mp4"});
  EXPECT_EQ(engine().urls, QStringList{media + "/My Clip.mp4"});
  EXPECT_EQ(contentOf(playlist()), "/earlier.mp3\r\n");

  touch(".hidden.mp4");
  form->Form_OLEDragDrop({media + "/.hidden.mp4"});
  EXPECT_EQ(engine().url, media + "/.hidden.mp4") << "a file cannot be listed as a folder";
}

TEST_F(DropTest, OneFolderIsListedIntoThePlayListWhichThenPlays)
{
  for (const char* name : {"b.mp3", "a.MP4", "notes.txt"})
    touch(name);
  QDir(media).mkpath("sub");
  touch("sub/c.mp3");
  form->Form_OLEDragDrop({media});
  EXPECT_EQ(contentOf(playlist()), (media + "/a.MP4\r\n" + media + "/b.mp3\r\n").toUtf8());
  EXPECT_EQ(engine().urls, QStringList{playlist()});
  EXPECT_EQ(form->opening().File1.Path(), media) << "File1 keeps the last dropped folder";

  form->Form_OLEDragDrop({media + "/"});
  EXPECT_TRUE(contentOf(playlist()).startsWith((media + "//a.MP4\r\n").toUtf8()))
      << "the folder exactly as dropped";
}

TEST_F(DropTest, NamesThatWouldBreakTheListAreLeftOutAndNamed)
{
  for (const char* name : {"a\nb.mp3", "c.mp3", "d\r.mp3"})
    touch(name);
  form->Form_OLEDragDrop({media});
  EXPECT_EQ(contentOf(playlist()), (media + "/c.mp3\r\n").toUtf8());
  EXPECT_EQ(engine().urls, QStringList{playlist()});
  ASSERT_EQ(gui().messages.shown.size(), 1);
  EXPECT_EQ(gui().messages.shown[0].icon, MessageBoxes::Icon::Warning);
  EXPECT_EQ(gui().messages.shown[0].text.split(u'\n').mid(1),
            (QStringList{media + "/a\\nb.mp3", media + "/d\\r.mp3"}));

  // Nothing left to play: the player is left alone.
  form->Form_OLEDragDrop({media + "/a\nb.mp3", media + "/d\r.mp3"});
  EXPECT_EQ(contentOf(playlist()), "");
  EXPECT_EQ(engine().urls.size(), 1);
  EXPECT_EQ(gui().messages.shown.size(), 2);
}

TEST_F(DropTest, AFolderWithoutMediaEmptiesThePlayListAndLeavesThePlayerAlone)
{
  touch("notes.txt");
  form->Form_OLEDragDrop({media});
  EXPECT_EQ(contentOf(playlist()), "");
  EXPECT_TRUE(engine().urls.isEmpty());
}

TEST_F(DropTest, SeveralItemsAreWrittenUnexpandedInDropOrder)
{
  touch("a.mp3");
  QDir(media).mkpath("sub");
  touch("sub/inside.mp3");
  form->Form_OLEDragDrop({media + "/sub", media + "/a.mp3", media + "/notes.txt"});
  EXPECT_EQ(contentOf(playlist()),
            (media + "/sub\r\n" + media + "/a.mp3\r\n" + media + "/notes.txt\r\n").toUtf8());
  EXPECT_EQ(engine().urls, QStringList{playlist()});

  form->Form_OLEDragDrop({});
  EXPECT_EQ(contentOf(playlist()), "") << "an empty drop plays an empty list";
  EXPECT_EQ(engine().urls.size(), 2);
}

TEST_F(DropTest, ADroppedPathThatIsNeitherFileNorFolderChangesNothing)
{
  form->Form_OLEDragDrop({media + "/vanished.mp4"});
  EXPECT_TRUE(engine().urls.isEmpty());
  EXPECT_EQ(contentOf(playlist()), "/earlier.mp3\r\n");
}

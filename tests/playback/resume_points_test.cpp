#include "playback/resume_points.h"

#include "core/file_name_bytes.h"
#include "fake_engine.h"
#include "playback/resuming.h"
#include "temporary_files.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double SixMinutes = 360;

class ResumePointsTest : public ::testing::Test {
protected:
  QString storePath() const { return m_dir.filePath(QStringLiteral("Kelvarino/positions")); }
  QTemporaryDir m_dir;
};

} // namespace

TEST_F(ResumePointsTest, AVideoStartsWhereItWasLeftOnlyOutsideItsFirstAndLastMinute)
{
  const QString film = QStringLiteral("/films/film.mkv");
  struct Case {
    double position, duration;
    std::optional<double> start;
  };
  const Case cases[] = {
      {200, SixMinutes, 200},        {60, SixMinutes, 60},   {59.9, SixMinutes, std::nullopt},
      {300, SixMinutes, 300},        {300.1, SixMinutes, std::nullopt},
      {150, 300, std::nullopt}, // five minutes are not longer than five minutes
  };
  for (const Case& c : cases) {
    ResumePoints(storePath()).leftAt(film, c.position, c.duration, true);
    // A new instance reads what the last one wrote.
    EXPECT_EQ(ResumePoints(storePath()).startOf(film, c.duration), c.start)
        << c.position << " of " << c.duration;
  }
}

TEST_F(ResumePointsTest, EndingStartingOverOrSoundOnlyForgetsThePosition)
{
  const QString film = QStringLiteral("/films/film.mkv");
  ResumePoints points(storePath());
  points.leftAt(film, 200, SixMinutes, true);
  points.ended(film);
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), std::nullopt);

  points.leftAt(film, 200, SixMinutes, true);
  points.leftAt(film, 30, SixMinutes, true); // started over, left in the first minute
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), std::nullopt);

  points.leftAt(film, 200, SixMinutes, true);
  points.leftAt(film, 200, SixMinutes, false); // the same name now holds sound only
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), std::nullopt);

  // A file now shorter than where it was left starts from its beginning.
  points.leftAt(film, 1000, 2000, true);
  EXPECT_EQ(points.startOf(film, SixMinutes), std::nullopt);
}

TEST_F(ResumePointsTest, EveryNameOfAFileIsOneKeyAndAnAddressIsItsText)
{
  const QString folder = m_dir.filePath(QStringLiteral("视频"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QByteArray name = QFile::encodeName(folder) + "/\xff film.mkv";
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644); // QFile cannot name it
  ASSERT_GE(fd, 0);
  ::close(fd);
  const QString link = m_dir.filePath(QStringLiteral("link"));
  ASSERT_TRUE(QFile::link(folder, link));
  const QString canonical = decodeFileName(name);

  EXPECT_EQ(ResumePoints::keyOf(canonical), canonical);
  EXPECT_EQ(ResumePoints::keyOf(link + QStringView(u"/\xDCFF film.mkv").toString()), canonical);
  EXPECT_EQ(ResumePoints::keyOf(folder + QStringView(u"/../视频/./\xDCFF film.mkv").toString()), canonical);
  const QByteArray url = "file://" + QFile::encodeName(folder).toPercentEncoding("/") + "/%FF%20film.mkv";
  EXPECT_EQ(ResumePoints::keyOf(QString::fromLatin1(url)), canonical);
  {
    const QString here = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    EXPECT_EQ(ResumePoints::keyOf(QStringView(u"link/\xDCFF film.mkv").toString()), canonical);
    QDir::setCurrent(here);
  }
  // A file that is gone keeps its absolute, cleaned name.
  EXPECT_EQ(ResumePoints::keyOf(QStringLiteral("/gone//away/../film.mkv")), QStringLiteral("/gone/film.mkv"));
  EXPECT_EQ(ResumePoints::keyOf(QStringLiteral("HTTP://Example.test/A.mkv")),
            QStringLiteral("HTTP://Example.test/A.mkv"));
}

TEST_F(ResumePointsTest, TwoWindowsKeepEachOthersPositionsAndSeeTheLatest)
{
  const QString a = QStringLiteral("/films/a.mkv"), b = QStringLiteral("/films/b.mkv");
  ResumePoints first(storePath()), second(storePath());
  ASSERT_EQ(second.startOf(a, SixMinutes), std::nullopt); // read before the first one writes
  first.leftAt(a, 100, SixMinutes, true);
  second.leftAt(b, 200, SixMinutes, true);
  EXPECT_EQ(ResumePoints(storePath()).startOf(a, SixMinutes), 100);
  EXPECT_EQ(second.startOf(a, SixMinutes), 100) << "where the other window left it";
  second.ended(a);
  EXPECT_EQ(first.startOf(a, SixMinutes), std::nullopt);
  EXPECT_EQ(first.startOf(b, SixMinutes), 200);
}

TEST_F(ResumePointsTest, TheNoteSaysWhereInTheClocksOwnWords)
{
  EXPECT_EQ(ResumePoints::noteFor(754), QStringLiteral("从 12:34 继续播放"));
  EXPECT_EQ(ResumePoints::noteFor(200.4), QStringLiteral("从 3:20 继续播放"));
  EXPECT_EQ(ResumePoints::noteFor(3723), QStringLiteral("从 1:02:03 继续播放"));
}

TEST_F(ResumePointsTest, AStoreThatCannotBeWrittenIsToldOnceAndPlaybackGoesOn)
{
  const QString film = QStringLiteral("/films/film.mkv");
  ResumePoints points(storePath());
  points.leftAt(film, 100, SixMinutes, true);
  UnwritableFolder locked(QFileInfo(storePath()).absolutePath());
  if (!locked.refuses())
    GTEST_SKIP() << "this folder cannot be made unwritable";
  testing::internal::CaptureStderr();
  points.leftAt(film, 200, SixMinutes, true);
  points.leftAt(film, 250, SixMinutes, true);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_NE(told.find("无法写入"), std::string::npos) << told;
  // What was asked last still counts while the program runs.
  EXPECT_EQ(points.startOf(film, SixMinutes), 250);
}

TEST_F(ResumePointsTest, APipeForTheStoreIsReadAsNothingToldOnceAndReplaced)
{
  ASSERT_TRUE(QDir().mkpath(QFileInfo(storePath()).absolutePath()));
  const PipeWithoutWriter pipe(storePath());
  ASSERT_TRUE(pipe.made);
  const QString film = QStringLiteral("/films/film.mkv");
  ResumePoints points(storePath());
  testing::internal::CaptureStderr();
  points.leftAt(film, 100, SixMinutes, true);
  points.leftAt(film, 200, SixMinutes, true);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  EXPECT_NE(told.find("不是普通文件"), std::string::npos) << told;
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), 200);
}

TEST_F(ResumePointsTest, AVideoLoadedAgainResumesWithANoteAndIsKeptWhereItIsLeft)
{
  const QString film = QStringLiteral("/films/film.mkv");
  ResumePoints(storePath()).leftAt(film, 200, SixMinutes, true);
  FakeEngine engine;
  {
    Resuming resuming(engine, storePath());
    emit engine.itemLoaded(film, SixMinutes, false);
    EXPECT_EQ(engine.position, 200);
    EXPECT_EQ(engine.notes, QStringList{"从 3:20 继续播放"});

    // Left for another item: kept where it was left, the one that played on.
    engine.item = FakeEngine::video(640, 360, film);
    emit engine.itemLeft(film, 250, SixMinutes, false);
    EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), 250);

    // Play after Stop starts it over; the window closing keeps where it is.
    engine.notes.clear();
    emit engine.itemLoaded(film, SixMinutes, true);
    EXPECT_TRUE(engine.notes.isEmpty());
    engine.position = 120;
  }
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), 120);

  Resuming resuming(engine, storePath());
  emit engine.itemLoaded(film, SixMinutes, false);
  emit engine.itemLeft(film, SixMinutes, SixMinutes, true);
  EXPECT_EQ(ResumePoints(storePath()).startOf(film, SixMinutes), std::nullopt)
      << "played to its end";
}

TEST_F(ResumePointsTest, TheTracksAndDelayChosenComeBackOnceTheItemListsItsTracks)
{
  const QString clip = QStringLiteral("/films/short.mkv");
  FakeEngine engine;
  {
    Resuming resuming(engine, storePath());
    emit engine.itemLoaded(clip, 100, false);
    resuming.trackChosen(Track::Kind::Audio, 2);
    resuming.trackChosen(Track::Kind::Subtitle, 3);
    resuming.subtitleDelayChosen(0.3);
    emit engine.itemLeft(clip, 50, 100, true); // played to its end: the choices stay
  }
  engine.trackList = {{Track::Kind::Audio, 1, {}, {}, true}, {Track::Kind::Audio, 2, {}, {}, false},
                      {Track::Kind::Subtitle, 1, {}, {}, true}};
  const QVector<Track> listed = engine.trackList;
  engine.trackList.clear();
  Resuming resuming(engine, storePath());
  emit engine.itemLoaded(clip, 100, false);
  EXPECT_EQ(engine.delay, 0.3);
  engine.trackList = listed;
  emit engine.currentMediaChanged();
  EXPECT_TRUE(engine.trackList[1].selected) << "the second audio track";
  EXPECT_TRUE(engine.trackList[2].selected) << "no subtitle 3 any more: the one there stays";
  engine.selectTrack(Track::Kind::Audio, 1);
  resuming.trackChosen(Track::Kind::Audio, 1);
  emit engine.currentMediaChanged();
  EXPECT_TRUE(engine.trackList[0].selected) << "restored once, not over a later choice";
}

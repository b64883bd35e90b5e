#include "playback/track_menu.h"

#include "qt_printers.h"
#include <gtest/gtest.h>

namespace {

using Kind = Track::Kind;

Track audio(int id, const char* language, const char* title = "", bool selected = false)
{
  return {Kind::Audio, id, QString::fromUtf8(language), QString::fromUtf8(title), selected};
}

Track subtitle(int id, const char* language, const char* title = "", bool selected = false)
{
  return {Kind::Subtitle, id, QString::fromUtf8(language), QString::fromUtf8(title), selected};
}

std::vector<std::string> texts(const QVector<TrackEntry>& entries)
{
  std::vector<std::string> out;
  for (const TrackEntry& e : entries)
    out.push_back(e.text.toStdString());
  return out;
}

} // namespace

TEST(TrackMenuTest, LanguagesReadInChineseAndUnknownCodesStayAsTheyAre)
{
  for (const char* code : {"chi", "zho", "zh", "ZH", " zho "})
    EXPECT_EQ(TrackMenu::languageName(QLatin1String(code)), QStringLiteral("中文")) << code;
  for (const char* code : {"chs", "zh-CN", "zh_cn", "zh-Hans", "zh-Hans-CN"})
    EXPECT_EQ(TrackMenu::languageName(QLatin1String(code)), QStringLiteral("简体中文")) << code;
  for (const char* code : {"cht", "zh-TW", "zh-Hant", "zh-Hant-HK"})
    EXPECT_EQ(TrackMenu::languageName(QLatin1String(code)), QStringLiteral("繁体中文")) << code;
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("eng")), QStringLiteral("英语"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("en-US")), QStringLiteral("英语"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("jpn")), QStringLiteral("日语"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("fre")), QStringLiteral("法语"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("deu")), QStringLiteral("德语"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("fin")), QStringLiteral("fin"));
  EXPECT_EQ(TrackMenu::languageName(QStringLiteral("und")), QString());
  EXPECT_EQ(TrackMenu::languageName(QString()), QString());
}

TEST(TrackMenuTest, EntriesShowLanguageAndTitleAndCheckTheCurrentTrack)
{
  const QVector<Track> tracks = {
      audio(1, "chi", "", true), audio(2, "eng", "导演评论"), audio(3, "", "Stereo"),
      audio(4, "und"), subtitle(1, "eng", "English"), subtitle(2, "chi", "movie.zh.srt")};
  const QVector<TrackEntry> entries = TrackMenu::entries(tracks, Kind::Audio);
  EXPECT_EQ(texts(entries),
            (std::vector<std::string>{"中文", "英语（导演评论）", "Stereo", "轨道 4"}));
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[0], (TrackEntry{QStringLiteral("中文"), 1, true}));
  EXPECT_FALSE(entries[1].checked);
  EXPECT_EQ(entries[3].id, 4);
  // A title that only repeats the language is not said twice.
  EXPECT_EQ(texts(TrackMenu::entries(tracks, Kind::Subtitle)),
            (std::vector<std::string>{"英语", "中文（movie.zh.srt）", "关闭"}));
}

TEST(TrackMenuTest, SubtitlesEndWithOffCheckedWhenNoneIsShownAndAlikeTracksAreNumbered)
{
  QVector<Track> tracks = {audio(1, "eng", "", true), subtitle(1, "chi"), subtitle(2, "chi")};
  QVector<TrackEntry> entries = TrackMenu::entries(tracks, Kind::Subtitle);
  EXPECT_EQ(texts(entries),
            (std::vector<std::string>{"中文（轨道 1）", "中文（轨道 2）", "关闭"}));
  EXPECT_EQ(entries.back(), (TrackEntry{QStringLiteral("关闭"), TrackMenu::Off, true}));
  tracks[2].selected = true;
  entries = TrackMenu::entries(tracks, Kind::Subtitle);
  EXPECT_TRUE(entries[1].checked);
  EXPECT_FALSE(entries.back().checked);
  // An item without subtitles still offers "关闭", checked.
  EXPECT_EQ(TrackMenu::entries({audio(1, "eng", "", true)}, Kind::Subtitle),
            (QVector<TrackEntry>{{QStringLiteral("关闭"), TrackMenu::Off, true}}));
  EXPECT_TRUE(TrackMenu::entries({subtitle(1, "eng")}, Kind::Audio).isEmpty());
}

TEST(TrackMenuTest, CyclingGoesRoundAudioTracksAndRoundSubtitlesThroughOff)
{
  QVector<Track> tracks = {audio(1, "chi", "", true), audio(2, "eng"), subtitle(1, "chi", "", true),
                           subtitle(2, "eng")};
  EXPECT_EQ(TrackMenu::next(tracks, Kind::Audio), 2);
  tracks[0].selected = false;
  tracks[1].selected = true;
  EXPECT_EQ(TrackMenu::next(tracks, Kind::Audio), 1) << "audio never goes silent";
  EXPECT_EQ(TrackMenu::next(tracks, Kind::Subtitle), 2);
  tracks[2].selected = false;
  tracks[3].selected = true;
  EXPECT_EQ(TrackMenu::next(tracks, Kind::Subtitle), TrackMenu::Off);
  tracks[3].selected = false;
  EXPECT_EQ(TrackMenu::next(tracks, Kind::Subtitle), 1) << "from off to the first";
  EXPECT_EQ(TrackMenu::next({audio(1, "eng", "", true)}, Kind::Subtitle), TrackMenu::Off);
}

TEST(TrackMenuTest, NotesNameTheChosenTrack)
{
  const QVector<Track> tracks = {audio(1, "chi", "", true), audio(2, "eng"), audio(3, ""),
                                 subtitle(1, "chi", "", true), subtitle(2, "")};
  EXPECT_EQ(TrackMenu::note(tracks, Kind::Audio, 2), QStringLiteral("音轨 2：英语"));
  EXPECT_EQ(TrackMenu::note(tracks, Kind::Audio, 3), QStringLiteral("音轨 3"));
  EXPECT_EQ(TrackMenu::note(tracks, Kind::Subtitle, 1), QStringLiteral("字幕：中文"));
  EXPECT_EQ(TrackMenu::note(tracks, Kind::Subtitle, 2), QStringLiteral("字幕：轨道 2"));
  EXPECT_EQ(TrackMenu::note(tracks, Kind::Subtitle, TrackMenu::Off), QStringLiteral("字幕：关闭"));
  EXPECT_EQ(TrackMenu::visibilityNote(tracks, false), QStringLiteral("隐藏字幕"));
  EXPECT_EQ(TrackMenu::visibilityNote({audio(1, "eng", "", true)}, true), QStringLiteral("没有字幕"));
}

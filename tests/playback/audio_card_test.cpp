#include "playback/audio_card.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The compact audio window's picture area, in pixels.
constexpr int CompactWidth = 596;
constexpr int CompactHeight = 78;

MediaItem tagged(const QString& title, const QString& artist, const QString& source = "/m/a.mp3")
{
  MediaItem item;
  item.title = title;
  item.author = artist;
  item.sourceURL = source;
  return item;
}

// The overlay's events, one a line.
QStringList events(const AudioCard& card, int width = CompactWidth, int height = CompactHeight)
{
  return QString::fromUtf8(audioCardEvents(card, width, height)).split(u'\n');
}

// The text of an event as it reaches the renderer, after its one block of
// formatting; and that block's font size.
QString textOf(const QString& event)
{
  return event.mid(event.indexOf(u'}') + 1);
}
int fontSizeOf(const QString& event)
{
  return QRegularExpression(R"(\\fs(\d+))").match(event).captured(1).toInt();
}

} // namespace

TEST(AudioCardTest, TitleAndArtistComeFromTagsElseTheFileName)
{
  EXPECT_EQ(audioCardOf(tagged("晚风", "测试乐队")), (AudioCard{"晚风", "测试乐队"}));
  EXPECT_EQ(audioCardOf(tagged("", "测试乐队", "/音乐/夜曲 2.mp3")), (AudioCard{"夜曲 2.mp3", "测试乐队"}));
  EXPECT_EQ(audioCardOf(tagged(" \t", "", "http://radio.example/live?x=1")).title,
            "http://radio.example/live?x=1")
      << "a stream is named by its address, as in the caption";

  const QStringList both = events({"晚风", "测试乐队"});
  ASSERT_EQ(both.size(), 2);
  EXPECT_EQ(textOf(both[0]), "晚风");
  EXPECT_EQ(textOf(both[1]), "测试乐队");
  const QStringList alone = events({"晚风", ""});
  ASSERT_EQ(alone.size(), 1) << "no empty artist line";
  EXPECT_TRUE(alone[0].contains(QString("\\pos(%1,%2)").arg(CompactWidth / 2).arg(CompactHeight / 2)))
      << alone[0].toStdString();
}

TEST(AudioCardTest, TagsCannotBreakLinesFormatOrReorderTheCard)
{
  const AudioCard card = audioCardOf(tagged(QString("晚\n风\r\n\x01\u2028夜\u202E曲\t"),
                                            QString("\u0085测试\x1b[31m乐队 ")));
  EXPECT_EQ(card.title, "晚 风 夜曲");
  EXPECT_EQ(card.artist, "测试 [31m乐队");
  EXPECT_EQ(events(card).size(), 2) << "a line break in a tag makes no event of its own";

  // Braces would open formatting, a backslash start a command such as \N.
  const QString hostile = R"({\b1}x\N{y}\)";
  const QString shown = textOf(events({hostile, ""})[0]);
  EXPECT_EQ(shown, QString(R"(\{\)") + QChar(0x2060) + R"(b1\}x\)" + QChar(0x2060) + R"(N\{y\}\)" +
                       QChar(0x2060));
  EXPECT_FALSE(shown.contains(QRegularExpression(R"((^|[^\\])[{}])"))) << "no brace unescaped";
}

TEST(AudioCardTest, LongTagsAreCutWithAnEllipsisToFitTheWidth)
{
  // 23 Chinese characters and the ellipsis fill the compact window's title
  // line at 23 pixels; a megabyte of tag costs no more than a line.
  const QString huge = QString(u'风').repeated(1 << 20);
  const QStringList compact = events(audioCardOf(tagged(huge, huge)));
  ASSERT_EQ(compact.size(), 2);
  for (const QString& event : compact) {
    const QString text = textOf(event);
    EXPECT_TRUE(text.endsWith(u'…'));
    EXPECT_LE(text.size() * fontSizeOf(event), CompactWidth) << text.toStdString();
    EXPECT_GE(text.size() * fontSizeOf(event), CompactWidth * 3 / 4) << "room is used";
  }
  EXPECT_EQ(textOf(events({"晚风", ""})[0]), "晚风") << "what fits is whole";

  // Latin letters are narrower: more of them fit.
  const QString latin = textOf(events({QString(u'a').repeated(300), ""})[0]);
  EXPECT_GT(latin.size(), textOf(compact[0]).size() * 3 / 2);

  // Cutting never splits a character of two UTF-16 units, at whatever odd
  // place the cut falls.
  const QString notes = "a" + QString::fromUcs4(U"\U0001F3B5").repeated(1000);
  for (const QString& text : {audioCardOf(tagged(notes, "")).title, textOf(events({notes, ""})[0])})
    EXPECT_TRUE(text.isValidUtf16() && !text.contains(QChar(0xFFFD))) << text.size();
}

TEST(AudioCardTest, TheTitleIsLegibleInTheCompactWindowAndNotHugeInFullScreen)
{
  const QStringList compact = events({"晚风", "测试乐队"});
  EXPECT_GE(fontSizeOf(compact[1]), 14) << "the smaller line is still legible";
  EXPECT_GT(fontSizeOf(compact[0]), fontSizeOf(compact[1]));
  const QStringList full = events({"晚风", "测试乐队"}, 1920, 1080);
  EXPECT_LE(fontSizeOf(full[0]), 48);
  EXPECT_GE(fontSizeOf(full[0]), fontSizeOf(compact[0]));
}

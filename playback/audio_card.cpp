#include "playback/audio_card.h"

#include "core/display_name.h"

#include <algorithm>

namespace {

bool isWide(char32_t c)
{
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
         (c >= 0x20000 && c <= 0x3FFFD);
}

// The width of a character in ems, on the safe side: the font is not
// measured, a Chinese character is square and a Latin one narrower.
double emsOf(char32_t c)
{
  const QChar::Category category = QChar::category(c);
  if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ||
      category == QChar::Other_Format)
    return 0;
  return isWide(c) ? 1.0 : 0.62;
}

// Cut to `ems`, whole characters only, with "…" where something is left out.
QString elided(const QString& line, double ems)
{
  const QList<uint> chars = line.toUcs4();
  double total = 0;
  for (const uint c : chars)
    total += emsOf(c);
  if (total <= ems)
    return line;
  constexpr double ellipsisEms = 1.0;
  QString cut;
  double width = 0;
  for (const uint c : chars) {
    width += emsOf(c);
    if (width + ellipsisEms > ems)
      break;
    cut += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
  }
  return cut + u'…';
}

// "{" would open a block of formatting and "\" start a command ("\N" breaks
// the line): the braces are escaped, and a word joiner after each backslash
// keeps it from reaching the next letter.
QString assEscaped(const QString& text)
{
  QString escaped;
  escaped.reserve(text.size() + 8);
  for (const QChar c : text) {
    if (c == u'{' || c == u'}')
      escaped += u'\\';
    escaped += c;
    if (c == u'\\')
      escaped += QChar(0x2060);
  }
  return escaped;
}

// One line centred on (x, y), cut to `width`, in a font `pixels` high.
QString assLine(const QString& text, int x, int y, int width, int pixels, bool bold,
                const char* colour)
{
  // Half an em stays free at either side.
  const QString shown = elided(text, double(width) / pixels - 1.0);
  // \q2: never wrapped, the line is already cut to the width.
  return QStringLiteral("{\\an5\\q2\\pos(%1,%2)\\fs%3\\b%4\\bord1\\shad0\\1c&H%5&\\3c&H000000&}")
             .arg(x)
             .arg(y)
             .arg(pixels)
             .arg(bold ? 1 : 0)
             .arg(QLatin1String(colour)) +
         assEscaped(shown);
}

} // namespace

AudioCard audioCardOf(const MediaItem& item)
{
  AudioCard card{singleLine(item.title), singleLine(item.author)};
  if (card.title.isEmpty())
    card.title = singleLine(displayName(item.sourceURL));
  return card;
}

// Its tracks are known for certain once it has started.
std::optional<AudioCard> audioCardFor(int playState, const std::optional<MediaItem>& item)
{
  const bool started = playState == PlayState::Playing || playState == PlayState::Paused ||
                       playState == PlayState::Buffering;
  if (!started || !item || item->imageSourceWidth > 0 || item->showsCoverArt)
    return std::nullopt;
  return audioCardOf(*item);
}

QByteArray audioCardEvents(const AudioCard& card, int width, int height)
{
  // In the compact audio window the picture area is about 78 pixels high:
  // the title is 23 pixels there, the artist 17.
  const int titlePixels = std::clamp(height * 3 / 10, 12, 48);
  const int artistPixels = std::clamp(height * 2 / 9, 10, 36);
  const int x = width / 2;
  if (card.artist.isEmpty())
    return assLine(card.title, x, height / 2, width, titlePixels, true, "FFFFFF").toUtf8();
  const int gap = artistPixels / 4;
  const int top = (height - titlePixels - gap - artistPixels) / 2;
  const QString title =
      assLine(card.title, x, top + titlePixels / 2, width, titlePixels, true, "FFFFFF");
  const QString artist = assLine(card.artist, x, top + titlePixels + gap + artistPixels / 2,
                                 width, artistPixels, false, "C8C8C8");
  // The overlay takes one event a line.
  return (title + u'\n' + artist).toUtf8();
}

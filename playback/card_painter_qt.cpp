#include "playback/card_painter_qt.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <optional>

namespace {

constexpr int MostColumns = 3;
// The smallest text a card is drawn in; a picture that cannot hold the card so
// shows it in a window of its own (CardPopupQt).
constexpr int SmallestText = 11;
constexpr int Margin = 12;

struct Layout {
  QFont font;
  QFont bold;
  int line = 0;     // the height of a line
  int keys = 0;     // the width of the key column
  int words = 0;    // the width of the words column
  int gap = 0;
  QVector<QVector<int>> columns; // the sections of each column
  int height = 0;   // of the tallest column

  int columnWidth() const { return keys + gap + words; }
  int width() const
  {
    return int(columns.size()) * columnWidth() + (int(columns.size()) - 1) * 2 * gap;
  }
};

int linesOf(const CardSection& section)
{
  return 1 + int(section.rows.size()) + 1; // the heading, the rows, a space after
}

// The sections in order, a new column begun once one holds its share.
QVector<QVector<int>> flow(const QVector<CardSection>& card, int columns)
{
  int total = 0;
  for (const CardSection& section : card)
    total += linesOf(section);
  const int share = (total + columns - 1) / columns;
  QVector<QVector<int>> out(1);
  int filled = 0;
  for (int i = 0; i < card.size(); ++i) {
    if (filled > 0 && filled + linesOf(card[i]) / 2 > share && out.size() < columns) {
      out.append(QVector<int>{});
      filled = 0;
    }
    out.last().append(i);
    filled += linesOf(card[i]);
  }
  return out;
}

Layout layOut(const QVector<CardSection>& card, const QFont& base, int pixels, int columns)
{
  Layout l;
  l.font = base;
  l.font.setPixelSize(pixels);
  l.bold = l.font;
  l.bold.setBold(true);
  const QFontMetrics metrics(l.font), boldMetrics(l.bold);
  l.line = metrics.height();
  l.gap = pixels;
  for (const CardSection& section : card) {
    l.words = std::max(l.words, boldMetrics.horizontalAdvance(section.heading));
    for (const CardSection::Row& row : section.rows) {
      l.keys = std::max(l.keys, metrics.horizontalAdvance(row.left));
      l.words = std::max(l.words, metrics.horizontalAdvance(row.right));
    }
  }
  l.columns = flow(card, columns);
  for (const QVector<int>& column : l.columns) {
    int lines = 0;
    for (const int i : column)
      lines += linesOf(card[i]);
    l.height = std::max(l.height, (lines - 1) * l.line);
  }
  return l;
}

// The largest text that fits `area`, in as few columns as it takes.
std::optional<Layout> fitting(const QVector<CardSection>& card, const QFont& font, QSize area)
{
  const QSize room = area - QSize(4 * Margin, 4 * Margin);
  for (int pixels = std::clamp(area.height() / 26, SmallestText, 18); pixels >= SmallestText;
       --pixels)
    for (int columns = 1; columns <= MostColumns; ++columns) {
      const Layout tried = layOut(card, font, pixels, columns);
      if (tried.height <= room.height() && tried.width() <= room.width())
        return tried;
    }
  return std::nullopt;
}

} // namespace

bool cardFits(const QFont& font, const QSize& area, const QVector<CardSection>& card)
{
  return fitting(card, font, area).has_value();
}

QSize cardSize(const QFont& font, const QVector<CardSection>& card)
{
  const Layout layout = layOut(card, font, SmallestText, MostColumns);
  return QSize(layout.width(), layout.height) + QSize(4 * Margin, 4 * Margin);
}

void paintCard(QPainter& painter, const QRect& area, const QVector<CardSection>& card)
{
  // Where it does not fit, the smallest text in the most columns, from the top.
  const Layout layout = fitting(card, painter.font(), area.size())
                            .value_or(layOut(card, painter.font(), SmallestText, MostColumns));
  QRect panel(0, 0, layout.width() + 2 * Margin, layout.height + 2 * Margin);
  panel.moveCenter(area.center());
  if (panel.top() < area.top())
    panel.moveTop(area.top());
  painter.fillRect(panel, QColor(0, 0, 0, 200));
  for (int c = 0; c < layout.columns.size(); ++c) {
    const int x = panel.left() + Margin + c * (layout.columnWidth() + 2 * layout.gap);
    int y = panel.top() + Margin;
    for (const int i : layout.columns[c]) {
      painter.setFont(layout.bold);
      painter.setPen(QColor(0x8c, 0xc8, 0xff));
      painter.drawText(QRect(x, y, layout.columnWidth(), layout.line),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       card[i].heading);
      y += layout.line;
      painter.setFont(layout.font);
      painter.setPen(Qt::white);
      for (const CardSection::Row& row : card[i].rows) {
        painter.drawText(QRect(x, y, layout.keys, layout.line),
                         Qt::AlignLeft | Qt::AlignVCenter, row.left);
        painter.drawText(QRect(x + layout.keys + layout.gap, y, layout.words, layout.line),
                         Qt::AlignLeft | Qt::AlignVCenter, row.right);
        y += layout.line;
      }
      y += layout.line;
    }
  }
}

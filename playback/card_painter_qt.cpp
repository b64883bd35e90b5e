#include "playback/card_painter_qt.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <optional>

namespace {

constexpr int MostColumns = 3;

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

} // namespace

void paintCard(QPainter& painter, const QRect& area, const QVector<CardSection>& card)
{
  const int margin = 12;
  const QSize room = area.size() - QSize(4 * margin, 4 * margin);
  // The largest text that fits, in as few columns as it takes; where nothing
  // fits, the smallest text in the columns the width allows, from the top.
  std::optional<Layout> layout;
  for (int pixels = std::clamp(area.height() / 26, 11, 18); pixels >= 7 && !layout; --pixels)
    for (int columns = 1; columns <= MostColumns && !layout; ++columns) {
      const Layout tried = layOut(card, painter.font(), pixels, columns);
      if (tried.height <= room.height() && tried.width() <= room.width())
        layout = tried;
    }
  for (int columns = MostColumns; columns >= 1 && !layout; --columns) {
    const Layout tried = layOut(card, painter.font(), 7, columns);
    if (tried.width() <= room.width() || columns == 1)
      layout = tried;
  }
  QRect panel(0, 0, layout->width() + 2 * margin, layout->height + 2 * margin);
  panel.moveCenter(area.center());
  if (panel.top() < area.top())
    panel.moveTop(area.top());
  painter.fillRect(panel, QColor(0, 0, 0, 200));
  for (int c = 0; c < layout->columns.size(); ++c) {
    const int x = panel.left() + margin + c * (layout->columnWidth() + 2 * layout->gap);
    int y = panel.top() + margin;
    for (const int i : layout->columns[c]) {
      painter.setFont(layout->bold);
      painter.setPen(QColor(0x8c, 0xc8, 0xff));
      painter.drawText(QRect(x, y, layout->columnWidth(), layout->line),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       card[i].heading);
      y += layout->line;
      painter.setFont(layout->font);
      painter.setPen(Qt::white);
      for (const CardSection::Row& row : card[i].rows) {
        painter.drawText(QRect(x, y, layout->keys, layout->line),
                         Qt::AlignLeft | Qt::AlignVCenter, row.left);
        painter.drawText(QRect(x + layout->keys + layout->gap, y, layout->words, layout->line),
                         Qt::AlignLeft | Qt::AlignVCenter, row.right);
        y += layout->line;
      }
      y += layout->line;
    }
  }
}

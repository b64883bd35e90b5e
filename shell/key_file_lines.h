#pragma once

#include <QByteArray>
#include <QList>
#include <utility>

// Line-wise editing of the desktop's key files (desktop entries,
// mimeapps.list) that leaves every line it does not change as it was.
namespace KeyFileLines {

// The lines with their endings, so that joining them gives the bytes back.
QList<QByteArray> linesOf(const QByteArray& bytes);
// The key of a "key=value" line; empty for other lines.
QByteArray keyOf(const QByteArray& line);
// [first, end) of the key lines of the first group headed `header`;
// {-1, -1} when there is none.
std::pair<qsizetype, qsizetype> groupRange(const QList<QByteArray>& lines, const QByteArray& header);
// Puts `line` (ended by a line feed) after the group's last key, before the
// blank lines that end it; `end` grows by one.
void insertInGroup(QList<QByteArray>& lines, qsizetype first, qsizetype& end, const QByteArray& line);

} // namespace KeyFileLines

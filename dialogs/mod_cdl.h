#pragma once

#include "core/file_dialogs.h"
#include <QString>
#include <QStringList>
#include <QVector>

// The open dialog with multiple selection, and the parsing of its result.
namespace ModCdl {

// The filter text of the dialog: each description and pattern list followed
// by one NUL, the whole ended by one more NUL.
QString FilterText(const QVector<FileFilter>& filters);
QVector<FileFilter> ParseFilterText(const QString& filter);

// Shows the open dialog. The result is the dialog's buffer of maxLen - 1
// characters as the platform leaves it: with one file its full path, NUL,
// NUL; with several the folder, NUL, each name and a NUL, one more NUL; then
// the untouched rest of the buffer (spaces). Empty when cancelled, or when the
// selection does not fit the buffer. `multi` = 1 allows several files.
QString ShowOpenDialog(FileDialogs& dialogs, const QString& title, const QString& filter,
                       int multi, int maxLen);

// Turns a raw result into full paths in `SelectedFiles` and returns the index
// of the last one: 0 when one file was chosen.
int SplitSelection(const QString& raw, QStringList& SelectedFiles);

} // namespace ModCdl

#pragma once

#include "core/file_dialogs.h"
#include <QString>
#include <QStringList>
#include <QVector>

// Every list of media file types the program shows or applies, in one place.
// The texts are the designed ones, byte for byte, quirks included: the open
// filter's first description leaves out *.flac, which its patterns hold, and
// its patterns name *.ts twice.
namespace MediaTypes {

// The open command's filter rows.
const QVector<FileFilter>& openFilters();
// The Save As dialog's filter rows: the open command's without the own type *.kq.
const QVector<FileFilter>& saveFilters();
// The pattern a dropped folder is listed with (`File1`).
QString folderListPattern();
// The 18 extensions 文件关联 maps to the program, in the order they are shown;
// their MIME types are looked up in the desktop's MIME database.
const QStringList& associatedExtensions();
// The MIME types the desktop's database gives an extension (".mkv"), in its
// order; ".m3u" has two.
QStringList mimeTypesOf(const QString& extension);

} // namespace MediaTypes

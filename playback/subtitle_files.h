#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The subtitle files beside a media file that are its own and load with it.
namespace SubtitleFiles {

// A folder is read this far and no further: the load waits for the listing,
// and 100,000 entries take some 40 ms to list, most of it the system's own.
inline constexpr int MaxEntries = 100000;
// More files than any film has languages.
inline constexpr int MaxFiles = 16;

// Whether the subtitle file `file` belongs to the media file `media` (both
// names without their folder, decoded as core/file_name_bytes.h decodes them).
// Its name goes on from the media's name less the extension with nothing or
// with a character that is neither a letter nor a digit: "ep1.srt",
// "ep1.zh.srt", "ep1_简体.ass" and "EP1 (chs).srt" are ep1.mp4's, "ep10.srt" is
// another episode's. Case does not count, as people name files.
bool belongsTo(QStringView file, QStringView media);

// The subtitle files in the media's folder that belong to it, as full paths:
// the one named as the media first, then the others in name order. Regular
// files only (symbolic links followed): a FIFO or a folder is never named.
// A VobSub's .sub goes with its .idx, which alone is named.
QStringList of(const QString& mediaPath);

} // namespace SubtitleFiles

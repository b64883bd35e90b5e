#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// How a subtitle file's text is to be read. The interface is Chinese: a file
// too short for the player's detection to be sure of (a cue or two of
// GB18030/GBK, measured wrong up to 12 characters) is read as Chinese when it
// is plausibly Chinese; any other file is left to the detection.
namespace SubtitleEncoding {

enum class CodePage { Utf8, Gb18030, Big5, Detect };

// A file with fewer bytes outside ASCII than this is decided here. Detection
// read every GBK and Big5 cue of 14 characters (28 such bytes) and more right
// in the measurements; this leaves it a wide margin.
inline constexpr int ShortText = 128;
// Only so much of a file is read; a longer one is left to detection.
inline constexpr int MaxHead = 64 * 1024;

// The code page of a file whose whole content is `text`: UTF-8 when it is
// valid UTF-8 (with or without a byte order mark). Otherwise, when it is
// short, GB18030 or Big5: the one that decodes without error and whose
// characters are mostly among its common ones, GB18030 when both are. Big5
// text nearly always decodes as GB18030 too, into rare characters and kana,
// hence the count of common characters. Detect otherwise.
CodePage of(QByteArrayView text);

// The same for the file at `path`, read without blocking: Detect for anything
// but a regular file, one that cannot be read, or one longer than MaxHead.
CodePage ofFile(const QString& path);

// One code page for files loaded together, which the player reads all in one:
// the first file's that is not UTF-8 (UTF-8 is read as such whatever is
// chosen), since the first is the one shown.
CodePage forFiles(const QList<CodePage>& pages);

// The name the player and iconv know the code page by; "auto" lets the
// player's detection decide, and also reads UTF-8 right.
QByteArray name(CodePage page);

} // namespace SubtitleEncoding

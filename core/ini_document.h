#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The bytes of an INI file, read and edited one key at a time. Both functions
// take any bytes at all, however broken, and never fail on them.
//
// Reading: lines end at CR, LF or CR LF. A line whose first non-blank byte is
// "[" and that holds a "]" is a section header; its name is the text up to the
// first "]". Any other line holding "=" is a key line: the key is the text
// before the first "=", the value the text after it. Names and values are
// trimmed of spaces, tabs, vertical tabs and form feeds; names match without
// regard to ASCII case; the first of duplicate sections, and the first of
// duplicate keys within it, is the one that counts. Lines before the first
// header belong to no section. A UTF-8 byte-order mark at the start of the
// text is no part of the first line; an edit keeps it.
namespace IniDocument {

// The value of `key` in `section`, trimmed, without one pair of matching outer
// double or single quotes; nothing when the section or the key is missing.
std::optional<QByteArray> value(QByteArrayView text, QByteArrayView section, QByteArrayView key);

// `text` with `key` in `section` set to `value`:
// - an existing key line is replaced in place by the key's own spelling
//   (trimmed), "=" and the value;
// - a new key line goes right after the last non-blank line of the section
//   (the header when the section is empty), so blank lines before the next
//   header stay where they are;
// - a new section goes at the end of the file as its header line and the key
//   line, after one empty line unless the file is empty or its last line is
//   already blank;
// - CR and LF in the value become spaces, so a value is always one line;
// - every line, old or new, ends in CR LF; all other bytes are kept.
// Nothing when a name is empty (after trimming) or holds "[", "]", "=", CR or
// LF: such a name could not be read back and might change the file's
// structure.
std::optional<QByteArray> withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                                    QByteArrayView value);

} // namespace IniDocument

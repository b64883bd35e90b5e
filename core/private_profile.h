#pragma once

#include <QString>

// The settings file's INI store, with the semantics of the classic private
// profile functions: section and key names match without regard to ASCII case
// and are trimmed, values are trimmed and lose one pair of outer quotes on
// read, the first of duplicate sections or keys wins, a replaced key keeps its
// spelling and its line, a new key goes after the last non-blank line of its
// section, a new section at the end of the file; lines end in CR LF (the
// layout in detail: app/ini_document.h). Text is in the locale's encoding;
// names and values end at their first NUL, as C strings do.

// The value of `key`, or `defaultValue`; at most `size` - 1 bytes of encoded
// text, cut on a character boundary.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& path);

// Sets `key` in `section`, creating the file and the section when needed. The
// file is replaced atomically under an advisory lock, so concurrent writers of
// different keys keep each other's keys; the lock file is the one lockPathFor
// names, in the runtime folder, left in place. CR and LF in the value become
// spaces. False when the file cannot be read or written, or when a name is
// empty or holds "[", "]", "=", CR or LF.
bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& path);

#pragma once

#include <QString>

// The tests that tell an address from a local file, one for each rule the
// program applies.
namespace WebAddress {

// A text holding "://" is an address; anything else names a local file.
bool isAddress(const QString& source);
// The caption shows author and title, not the name, when the source holds
// "http:" anywhere, in exactly these letters ("https:" does not).
bool captionsByTags(const QString& source);
// Save As opens the browser instead of copying when the first two letters are
// "Ht", "HT" or "ht": a source starting "hT" is treated as a file.
bool passesSaveAsTest(const QString& source);
// The scheme in lower case, the rest as it is: schemes are case-insensitive,
// but the player core knows its protocols only in lower case.
QString withLowerCaseScheme(const QString& url);

} // namespace WebAddress

#pragma once

#include <QString>

// How an item is named to a person: a local file by its name without its
// folders (a folder by its own name), an address as it is.
QString displayName(const QString& source);

// Text from files and media made fit to stand on one line: control characters
// and line breaks become spaces, runs of space one space, and direction
// embeddings, overrides and isolates are dropped. It is cut to `longest`
// UTF-16 units first, since a hostile name or tag may be megabytes long.
QString singleLine(const QString& text, qsizetype longest = 512);

// A name set apart from the text around it: whatever its direction, it cannot
// reorder the words of ours ("无法播放 “name”：reason").
QString isolated(const QString& name);

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QUrl;

// File names on Linux are bytes, most often UTF-8 but not always. These keep
// every byte of a name through a QString: each byte that is not part of valid
// UTF-8 becomes the lone surrogate U+DC00 + byte, and goes back to that byte.
// Qt's own conversions turn such bytes into U+FFFD, which names another file.

QString decodeFileName(QByteArrayView bytes);
// The bytes a decoded name came from; other text as UTF-8.
QByteArray encodeFileName(QStringView name);

// The local file a file URL names, its escapes taken as the name's bytes;
// empty for a URL of another host. Not QUrl::toLocalFile, which turns bytes
// that are not UTF-8 into U+FFFD.
QString localFileOfUrl(const QUrl& url);

enum class PathKind { Missing, File, Folder, Other };
// What the name points to, symbolic links followed; a relative name is taken
// from the process's working folder.
PathKind kindOfPath(const QString& path);
inline bool namesExistingPath(const QString& path)
{
  return kindOfPath(path) != PathKind::Missing;
}

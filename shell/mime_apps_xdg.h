#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Edits the "[Default Applications]" group of a mimeapps.list file in its
// bytes: the line of each given MIME type becomes "<type>=<desktopId>;",
// replacing whatever default it named, a later duplicate of that line goes,
// and every other byte of the file stays as it was.
QByteArray withDefaultApplication(const QByteArray& mimeApps, const QStringList& types,
                                  const QString& desktopId);


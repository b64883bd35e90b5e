#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// Helpers for tests on real files in a QTemporaryDir.

inline QByteArray contentOf(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool putContent(const QString& path, const QByteArray& content)
{
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QStringList entriesOf(const QString& folder)
{
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

constexpr QFileDevice::Permissions readOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions writableFolder = readOnlyFolder | QFileDevice::WriteOwner;

// Makes `folder` read-only; false when the folder still takes new files (root
// writes into folders without write permission, so such a run cannot show the
// refusal).
inline bool makeReadOnly(const QString& folder)
{
  QFile::setPermissions(folder, readOnlyFolder);
  QFile probe(folder + QStringLiteral("/probe"));
  if (!probe.open(QIODevice::WriteOnly))
    return true;
  probe.remove();
  QFile::setPermissions(folder, writableFolder);
  return false;
}

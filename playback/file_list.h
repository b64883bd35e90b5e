#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The window's hidden file list: the names of the files directly in one
// folder that match its wildcard patterns ("*.mp4;*.mp3;..."), without regard
// to case. Only ordinary files are listed: no folders, no hidden (dot) files,
// no devices, sockets or dangling links. Names are sorted without regard to
// case.
class FileListBox {
public:
  explicit FileListBox(const QString& pattern);

  // Points the list at a folder. False, and an empty list, when `folder` is
  // no folder that can be read.
  bool setPath(const QString& folder);
  const QString& Path() const { return m_path; }
  const QStringList& List() const { return m_list; }
  int ListCount() const { return int(m_list.size()); }

private:
  bool matches(const QString& name) const;

  // Made once: a folder of ten thousand files asks each of them.
  QList<QRegularExpression> m_patterns;
  QString m_path;
  QStringList m_list;
};

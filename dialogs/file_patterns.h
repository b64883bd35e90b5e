#pragma once

#include <QRegularExpression>
#include <QString>
#include <QVector>

// A filter row's pattern list ("*.mkv;*.mp4") as the dialogs apply it to
// file names: wildcards, without regard to case.
class FilePatterns {
public:
  explicit FilePatterns(const QString& patterns = {});

  // An empty list lets every file through.
  bool matches(const QString& fileName) const;

private:
  QVector<QRegularExpression> m_patterns;
};

#include "playback/file_list.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

QString file1Pattern()
{
  return QStringLiteral(
    "*.ts;*.m2t;*.m2ts;*.mkv;*.mpg;*.avi;*.wmv;*.asf;*.rm;*.rmvb;*.mov;*.qt;*.ogm;*.bik;*.mp4;*.flv;"
    "*.mp3;*.wma;*.ape;*.wav;*.ogg;*.mid;*.dts;*.amr;*.ra;*.ac3;*.m3u;*.kqm;*.kqw;*.kqa;*.kqr");
}

FileListBox::FileListBox(const QString& pattern) : m_patterns(pattern.split(u';', Qt::SkipEmptyParts))
{
}

bool FileListBox::setPath(const QString& folder)
{
  m_path = folder;
  m_list.clear();
  const QFileInfo info(folder);
  if (!info.isDir() || !info.isReadable())
    return false;
  // Without QDir::Hidden dot files stay out, without QDir::System so do
  // devices, sockets and dangling links; without QDir::CaseSensitive the
  // patterns match any case.
  m_list = QDir(folder).entryList(m_patterns, QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
  // Names that differ only in case keep a fixed order between them.
  std::sort(m_list.begin(), m_list.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return true;
}

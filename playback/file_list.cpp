#include "playback/file_list.h"

#include "core/file_name_bytes.h"
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>


FileListBox::FileListBox(const QString& pattern)
{
  for (const QString& wildcard : pattern.split(u';', Qt::SkipEmptyParts))
    m_patterns << QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive);
}

bool FileListBox::matches(const QString& name) const
{
  return std::any_of(m_patterns.begin(), m_patterns.end(),
                     [&name](const QRegularExpression& p) { return p.match(name).hasMatch(); });
}

bool FileListBox::setPath(const QString& folder)
{
  m_path = folder;
  m_list.clear();
  // Read by the name's bytes: a name that is not UTF-8 must still name its file.
  const QByteArray path = encodeFileName(folder);
  DIR* listing = ::opendir(path.constData());
  if (!listing)
    return false;
  while (const dirent* entry = ::readdir(listing)) {
    const QByteArrayView name(entry->d_name);
    // Dot files are hidden; links count by what they point to, so devices,
    // sockets and dangling links stay out.
    struct stat target {};
    if (name.startsWith('.') || ::stat(QByteArray(path + '/').append(name).constData(), &target) != 0 ||
        !S_ISREG(target.st_mode))
      continue;
    // Regular expressions need valid UTF-16, so the patterns are matched
    // against the name as Qt would decode it.
    if (matches(QString::fromUtf8(name)))
      m_list << decodeFileName(name);
  }
  ::closedir(listing);
  // Names that differ only in case keep a fixed order between them.
  std::sort(m_list.begin(), m_list.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return true;
}

#include "playback/list_lineage.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include <QUrl>
#include <climits>
#include <cstdlib>

QString ListLineage::sourceKey(const QString& source)
{
  const QString path =
      source.startsWith(QLatin1String("file://"), Qt::CaseInsensitive) ? QUrl(source).toLocalFile()
                                                                        : source;
  char resolved[PATH_MAX];
  if (!::realpath(encodeFileName(path).constData(), resolved))
    return source;
  return decodeFileName(resolved);
}

bool ListLineage::isNeitherFileNorFolder(const QString& source)
{
  if (source.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
    return kindOfPath(localFileOfUrl(QUrl(source))) == PathKind::Other;
  return !WebAddress::isAddress(source) && kindOfPath(source) == PathKind::Other;
}

void ListLineage::started(int64_t entry)
{
  m_current = entry;
}

ListLineage::Verdict ListLineage::loading(const QString& source)
{
  Origin& origin = m_origins[m_current];
  origin.key = sourceKey(source);
  if (origin.lists.contains(origin.key))
    return Verdict::ListsItself;
  if (origin.depth > MaxDepth)
    return Verdict::TooDeep;
  return Verdict::Load;
}

void ListLineage::expanded(int64_t entry, int64_t first, int count)
{
  const auto found = m_origins.find(entry);
  Origin parent = found == m_origins.end() ? Origin{} : found->second;
  if (found != m_origins.end())
    m_origins.erase(found); // the list entry is gone from the play list
  Origin child{parent.depth + 1, parent.lists, {}};
  child.lists << parent.key;
  for (int i = 0; i < count; ++i)
    m_origins[first + i] = child;
}

#include "playback/subtitle_files.h"

#include "core/file_name_bytes.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr QStringView Extensions[] = {u"srt", u"ass", u"ssa", u"vtt",
                                      u"sub", u"idx", u"sup", u"smi"};

// The name less its extension; the whole name when it has none.
QStringView stem(QStringView name)
{
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot > 0 ? name.first(dot) : name;
}

// For a decoded name, or for a name's bytes: the extensions are ASCII, so a
// folder's other files are passed over without decoding their names.
template <typename Text>
bool isSubtitle(Text name)
{
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot <= 0)
    return false;
  const Text extension = name.sliced(dot + 1);
  return std::any_of(std::begin(Extensions), std::end(Extensions), [extension](QStringView known) {
    return known.compare(extension, Qt::CaseInsensitive) == 0;
  });
}

// A byte that is not UTF-8 (a lone surrogate after decoding) counts as a
// letter: in the legacy code pages names are written in, it is most often
// part of one.
bool continuesTheName(QChar next)
{
  return next.isLetterOrNumber() || next.isSurrogate();
}

bool isRegularFile(const QByteArray& path)
{
  struct stat info{};
  return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

namespace SubtitleFiles {

bool belongsTo(QStringView file, QStringView media)
{
  const QStringView own = stem(media);
  if (own.isEmpty() || !isSubtitle(file))
    return false;
  const QStringView base = stem(file);
  if (!base.startsWith(own, Qt::CaseInsensitive))
    return false;
  return base.size() == own.size() || !continuesTheName(base[own.size()]);
}

QStringList of(const QString& mediaPath)
{
  const QByteArray path = encodeFileName(mediaPath);
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : path.first(std::max<qsizetype>(slash, 1));
  const QByteArray prefix = slash < 0 ? QByteArray() : path.first(slash + 1);
  const QString media = decodeFileName(QByteArrayView(path).sliced(slash + 1));
  if (media.isEmpty() || path.contains('\0'))
    return {};

  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.constData()));
  if (!dir)
    return {};
  QStringList names;
  int entries = 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (++entries > MaxEntries)
      break;
    if (!isSubtitle(QLatin1StringView(entry->d_name)))
      continue;
    const QString name = decodeFileName(entry->d_name);
    if (belongsTo(name, media) && isRegularFile(prefix + entry->d_name)) {
      names.append(name);
      if (names.size() == MaxFiles)
        break;
    }
  }

  const QStringView own = stem(media);
  std::sort(names.begin(), names.end(), [own](const QString& a, const QString& b) {
    const bool aExact = stem(a).compare(own, Qt::CaseInsensitive) == 0;
    const bool bExact = stem(b).compare(own, Qt::CaseInsensitive) == 0;
    if (aExact != bExact)
      return aExact;
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  QStringList paths;
  for (const QString& name : names) {
    // libmpv finds a VobSub's .sub from its .idx and would read it twice.
    const bool subOfIdx = name.endsWith(u".sub", Qt::CaseInsensitive) &&
        names.contains(stem(name).toString() + QStringLiteral(".idx"), Qt::CaseInsensitive);
    if (!subOfIdx)
      paths.append(decodeFileName(prefix) + name);
  }
  return paths;
}

} // namespace SubtitleFiles

#include "playback/cover_cache.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString CoverCache::defaultFolder()
{
  QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
  // XDG base directories are absolute; a relative one is to be ignored.
  if (!QDir::isAbsolutePath(cache))
    cache = QDir::homePath() + QStringLiteral("/.cache");
  return cache + QStringLiteral("/Kelvarino/covers");
}

QString CoverCache::fileFor(const QString& source) const
{
  QByteArray identity = encodeFileName(source);
  const QFileInfo file(source);
  if (!WebAddress::isAddress(source) && file.exists()) {
    identity = encodeFileName(file.canonicalFilePath()) + '\n' + QByteArray::number(file.size())
             + '\n' + QByteArray::number(file.lastModified().toMSecsSinceEpoch());
  }
  const QByteArray hash = QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex();
  return m_folder + u'/' + QString::fromLatin1(hash) + QStringLiteral(".png");
}

bool CoverCache::has(const QString& file) const
{
  QFile picture(file);
  if (!picture.open(QIODevice::ReadOnly))
    return false;
  picture.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
  return true;
}

bool CoverCache::store(const QString& file, const ContentWriter& picture, QString* error) const
{
  QDir().mkpath(m_folder);
  if (!writeFileAtomically(file, picture, error))
    return false;
  const QFileInfoList pictures = QDir(m_folder).entryInfoList(
      {QStringLiteral("*.png")}, QDir::Files, QDir::Time);
  for (qsizetype i = Kept; i < pictures.size(); ++i) {
    if (pictures[i].absoluteFilePath() != QFileInfo(file).absoluteFilePath())
      QFile::remove(pictures[i].absoluteFilePath());
  }
  return true;
}

#include "playback/resume_points.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include "playback/clock_text.h"
#include <QDir>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The canonical name, or the absolute one where the file cannot be reached.
QString canonicalPath(const QString& path)
{
  const std::unique_ptr<char, decltype(&std::free)> real(
      ::realpath(encodeFileName(path).constData(), nullptr), &std::free);
  if (real)
    return decodeFileName(real.get());
  return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().filePath(path));
}

} // namespace

ResumePoints::ResumePoints(const QString& storePath)
    : m_store(storePath), m_loading(std::async(std::launch::async, [this] { m_store.load(); }))
{
}

ResumeStore& ResumePoints::store()
{
  if (m_loading.valid())
    m_loading.get();
  return m_store;
}

QString ResumePoints::keyOf(const QString& source)
{
  if (source.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
    const QString local = localFileOfUrl(QUrl(source));
    return local.isEmpty() ? source : canonicalPath(local);
  }
  return WebAddress::isAddress(source) ? source : canonicalPath(source);
}

QString ResumePoints::noteFor(double seconds)
{
  return QStringLiteral("从 %1 继续播放").arg(clockText(seconds));
}

bool ResumePoints::isWorthKeeping(double position, double duration)
{
  return duration > ShortestItem && position >= Margin && position <= duration - Margin;
}

std::optional<double> ResumePoints::startOf(const QString& key, double duration)
{
  const std::optional<double> position = store().position(key);
  if (!position || !isWorthKeeping(*position, duration))
    return std::nullopt;
  return position;
}

void ResumePoints::leftAt(const QString& key, double position, double duration, bool isVideo)
{
  if (isVideo && isWorthKeeping(position, duration))
    store().remember(key, position);
  else
    store().forget(key);
  save();
}

void ResumePoints::ended(const QString& key)
{
  store().forget(key);
  save();
}

// A position that cannot be kept is nothing the person loses, and nothing
// they could mend from the player: no dialog, one line for whoever reads the
// log, and playback goes on.
void ResumePoints::save()
{
  QString error;
  const bool saved = store().save(&error);
  if (!store().readProblem().isEmpty() && !std::exchange(m_readProblemTold, true))
    std::fprintf(stderr, "kelvarino: %s\n", store().readProblem().toUtf8().constData());
  if (saved || std::exchange(m_failureTold, true))
    return;
  std::fprintf(stderr, "kelvarino: %s\n", error.toUtf8().constData());
}

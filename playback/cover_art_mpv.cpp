#include "playback/cover_art_mpv.h"

#include "core/file_name_bytes.h"
#include "playback/mpv_session_mpv.h"
#include "playback/node_mpv.h"

#include <QIODevice>
#include <QImage>
#include <mpv/client.h>

namespace {

// The picture of a screenshot-raw answer, copied out of libmpv's memory;
// null when the answer is not one.
QImage pictureOf(const mpv_node& screenshot)
{
  const int64_t width = nodeInt(screenshot, "w"), height = nodeInt(screenshot, "h");
  const int64_t stride = nodeInt(screenshot, "stride");
  const mpv_node* data = nodeField(screenshot, "data");
  if (nodeText(screenshot, "format") != QLatin1String("bgr0") || width <= 0 || height <= 0
      || stride < width * 4 || !data || data->format != MPV_FORMAT_BYTE_ARRAY
      || data->u.ba->size < size_t(stride * height))
    return {};
  // bgr0 is 0x00RRGGBB in the machine's byte order.
  return QImage(static_cast<const uchar*>(data->u.ba->data), int(width), int(height),
                qsizetype(stride), QImage::Format_RGB32)
      .copy();
}

} // namespace

CoverArtMpv::CoverArtMpv(MpvSession& session, std::function<void()> changed, QString coverFolder)
    : m_session(session), m_changed(std::move(changed)), m_covers(std::move(coverFolder))
{
  session.on(MPV_EVENT_START_FILE, [this](const mpv_event&) {
    ++m_item;
    m_asked = false;
  });
  session.on(MPV_EVENT_PLAYBACK_RESTART, [this](const mpv_event&) { restarted(); });
}

CoverArtMpv::~CoverArtMpv()
{
  if (m_writing.valid())
    m_writing.wait();
}

QString CoverArtMpv::fileFor(const QString& path) const
{
  return path == m_savedPath ? m_savedFile : QString();
}

// The item's first picture is on the screen by now; asked here, the core
// answers for the item that restarted, not for one that is still to come.
void CoverArtMpv::restarted()
{
  if (std::exchange(m_asked, true))
    return;
  const uint64_t item = m_item;
  m_session.get("current-tracks/video/albumart", MPV_FORMAT_FLAG,
                [this, item](const mpv_event_property* albumArt) {
                  if (item != m_item || !albumArt || !*static_cast<int*>(albumArt->data))
                    return;
                  m_session.get("path", MPV_FORMAT_STRING, [this, item](const mpv_event_property* path) {
                    if (item == m_item && path)
                      ask(item, decodeFileName(*static_cast<char* const*>(path->data)));
                  });
                });
}

void CoverArtMpv::ask(uint64_t item, const QString& path)
{
  const QString file = m_covers.fileFor(path);
  if (m_covers.has(file)) {
    saved(path, file);
    return;
  }
  m_session.request({"screenshot-raw", "video"}, [this, item, path](const mpv_node* screenshot) {
    // Without an answer, the next restart (a seek) asks again.
    if (item != m_item)
      return;
    if (!screenshot)
      m_asked = false;
    else
      save(path, *screenshot);
  });
}

void CoverArtMpv::save(const QString& path, const mpv_node& screenshot)
{
  QImage picture = pictureOf(screenshot);
  if (picture.isNull())
    return;
  // One picture is written at a time; the one before is nearly always done.
  if (m_writing.valid())
    m_writing.wait();
  const QString file = m_covers.fileFor(path);
  m_writing = std::async(std::launch::async, [this, picture = std::move(picture), path, file]() mutable {
    if (picture.width() > LargestSide || picture.height() > LargestSide)
      picture = picture.scaled(LargestSide, LargestSide, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    QString error;
    const bool written = m_covers.store(file, [&](QIODevice& out, QString* reason) {
      if (picture.save(&out, "PNG"))
        return true;
      *reason = QStringLiteral("无法保存封面图片");
      return false;
    }, &error);
    if (!written) {
      qWarning("kelvarino: %s", qPrintable(error));
      return;
    }
    QMetaObject::invokeMethod(this, [this, path, file] { saved(path, file); }, Qt::QueuedConnection);
  });
}

void CoverArtMpv::saved(const QString& path, const QString& file)
{
  m_savedPath = path;
  m_savedFile = file;
  m_changed();
}

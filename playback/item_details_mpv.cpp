#include "playback/item_details_mpv.h"

#include "core/file_name_bytes.h"
#include "playback/node_mpv.h"

#include <QIODevice>
#include <QImage>
#include <mpv/client.h>

namespace {

enum Observed : uint64_t { PlaylistPos = 1, PlaylistCount };

} // namespace

ItemDetailsMpv::ItemDetailsMpv(mpv_handle* core, std::function<void()> changed,
                               QString coverFolder)
    : m_client(mpv_create_client(core, "item-details")), m_changed(std::move(changed)),
      m_covers(std::move(coverFolder))
{
  mpv_observe_property(m_client, PlaylistPos, "playlist-pos", MPV_FORMAT_INT64);
  mpv_observe_property(m_client, PlaylistCount, "playlist-count", MPV_FORMAT_INT64);
  m_thread = std::thread([this] { run(); });
}

ItemDetailsMpv::~ItemDetailsMpv()
{
  m_stopping = true;
  mpv_wakeup(m_client);
  m_thread.join();
  mpv_destroy(m_client);
}

ListPlace ItemDetailsMpv::listPlace() const
{
  const std::lock_guard lock(m_shared);
  return m_place;
}

QString ItemDetailsMpv::coverArtFile(const QString& path) const
{
  const std::lock_guard lock(m_shared);
  return path == m_savedPath ? m_savedFile : QString();
}

void ItemDetailsMpv::run()
{
  while (!m_stopping) {
    const mpv_event* event = mpv_wait_event(m_client, -1);
    if (event->event_id == MPV_EVENT_SHUTDOWN)
      return;
    take(*event);
  }
}

void ItemDetailsMpv::take(const mpv_event& event)
{
  switch (event.event_id) {
  case MPV_EVENT_START_FILE:
    ++m_item;
    m_coverAsked = false;
    break;
  case MPV_EVENT_PLAYBACK_RESTART:
    playbackRestarted();
    break;
  case MPV_EVENT_COMMAND_REPLY:
    // The picture is that of the item asked for only while no other started;
    // without one, the next restart (a seek) asks again.
    if (event.reply_userdata != m_item)
      break;
    if (event.error >= 0)
      save(static_cast<const mpv_event_command*>(event.data)->result);
    else
      m_coverAsked = false;
    break;
  case MPV_EVENT_PROPERTY_CHANGE:
    placeChanged(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data));
    break;
  default:
    break;
  }
}

void ItemDetailsMpv::placeChanged(uint64_t id, const mpv_event_property& change)
{
  // Without a list neither is available.
  const bool has = change.format == MPV_FORMAT_INT64 && change.data;
  const int value = has ? int(*static_cast<const int64_t*>(change.data)) : -1;
  {
    const std::lock_guard lock(m_shared);
    if (id == PlaylistPos)
      m_place.position = value;
    else
      m_place.length = std::max(value, 0);
  }
  m_changed();
}

// The item's first picture is on the screen by now; asked here, the core
// answers for the item that restarted, not for one that is still to come.
void ItemDetailsMpv::playbackRestarted()
{
  if (m_coverAsked)
    return;
  m_coverAsked = true;
  int albumArt = 0;
  char* path = nullptr;
  if (mpv_get_property(m_client, "current-tracks/video/albumart", MPV_FORMAT_FLAG, &albumArt) < 0
      || !albumArt || mpv_get_property(m_client, "path", MPV_FORMAT_STRING, &path) < 0)
    return;
  m_path = decodeFileName(path);
  mpv_free(path);
  m_coverFile = m_covers.fileFor(m_path);
  if (m_covers.has(m_coverFile)) {
    publishCover(m_path, m_coverFile);
    return;
  }
  const char* args[] = {"screenshot-raw", "video", nullptr};
  mpv_command_async(m_client, m_item, args);
}

void ItemDetailsMpv::save(const mpv_node& screenshot)
{
  const int64_t width = nodeInt(screenshot, "w"), height = nodeInt(screenshot, "h");
  const int64_t stride = nodeInt(screenshot, "stride");
  const mpv_node* data = nodeField(screenshot, "data");
  if (nodeText(screenshot, "format") != QLatin1String("bgr0") || width <= 0 || height <= 0
      || stride < width * 4 || !data || data->format != MPV_FORMAT_BYTE_ARRAY
      || data->u.ba->size < size_t(stride * height))
    return;
  // bgr0 is 0x00RRGGBB in the machine's byte order.
  QImage picture(static_cast<const uchar*>(data->u.ba->data), int(width), int(height),
                 qsizetype(stride), QImage::Format_RGB32);
  if (width > LargestSide || height > LargestSide)
    picture = picture.scaled(LargestSide, LargestSide, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
  QString error;
  const bool saved = m_covers.store(m_coverFile, [&](QIODevice& out, QString* reason) {
    if (picture.save(&out, "PNG"))
      return true;
    *reason = QStringLiteral("无法保存封面图片");
    return false;
  }, &error);
  if (!saved) {
    qWarning("kelvarino: %s", qPrintable(error));
    return;
  }
  publishCover(m_path, m_coverFile);
}

void ItemDetailsMpv::publishCover(const QString& path, const QString& file)
{
  {
    const std::lock_guard lock(m_shared);
    m_savedPath = path;
    m_savedFile = file;
  }
  m_changed();
}

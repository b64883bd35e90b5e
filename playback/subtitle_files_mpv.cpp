#include "playback/subtitle_files_mpv.h"

#include "core/file_name_bytes.h"
#include "core/web_address.h"
#include "playback/subtitle_encoding.h"
#include "playback/subtitle_files.h"

#include <QUrl>
#include <mpv/client.h>
#include <vector>

namespace {

// The local file libmpv is about to open; empty for an address.
QString localFile(const QString& source)
{
  if (!WebAddress::isAddress(source))
    return source;
  const QUrl url(source);
  return url.scheme().compare(u"file", Qt::CaseInsensitive) == 0 ? localFileOfUrl(url) : QString();
}

} // namespace

SubtitleFilesMpv::SubtitleFilesMpv(mpv_handle* core)
    : m_client(mpv_create_client(core, "subtitle-files"))
{
  mpv_hook_add(m_client, 0, "on_load", 0);
  m_thread = std::thread([this] { run(); });
}

SubtitleFilesMpv::~SubtitleFilesMpv()
{
  m_stopping = true;
  mpv_wakeup(m_client);
  m_thread.join();
  // A load still waiting for the hook goes on once the client is gone.
  mpv_destroy(m_client);
}

void SubtitleFilesMpv::run()
{
  while (!m_stopping) {
    const mpv_event* event = mpv_wait_event(m_client, -1);
    if (event->event_id == MPV_EVENT_SHUTDOWN)
      return;
    if (event->event_id == MPV_EVENT_HOOK) {
      loading();
      mpv_hook_continue(m_client, static_cast<const mpv_event_hook*>(event->data)->id);
    }
  }
}

void SubtitleFilesMpv::loading()
{
  // The core waits for the hook, so asking it now is quick.
  char* source = mpv_get_property_string(m_client, "stream-open-filename");
  const QString media = localFile(decodeFileName(source ? source : ""));
  mpv_free(source);
  if (media.isEmpty() || kindOfPath(media) != PathKind::File)
    return;
  const QStringList files = SubtitleFiles::of(media);
  if (files.isEmpty())
    return;

  std::vector<QByteArray> paths;
  std::vector<mpv_node> items;
  QList<SubtitleEncoding::CodePage> pages;
  for (const QString& file : files) {
    paths.push_back(encodeFileName(file));
    pages.append(SubtitleEncoding::ofFile(file));
  }
  for (QByteArray& path : paths) {
    mpv_node item{};
    item.format = MPV_FORMAT_STRING;
    item.u.string = path.data();
    items.push_back(item);
  }
  // A list, not one text: no separator inside a name can split it.
  mpv_node_list list{int(items.size()), items.data(), nullptr};
  mpv_node node{};
  node.format = MPV_FORMAT_NODE_ARRAY;
  node.u.list = &list;
  mpv_set_property(m_client, "file-local-options/sub-files", MPV_FORMAT_NODE, &node);
  const QByteArray codePage = SubtitleEncoding::name(SubtitleEncoding::forFiles(pages));
  mpv_set_property_string(m_client, "file-local-options/sub-codepage", codePage.constData());
}

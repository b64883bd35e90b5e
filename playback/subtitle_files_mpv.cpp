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
    : m_hook(core, "subtitle-files", [](mpv_handle* client, const QString& source) {
        loading(client, source);
      })
{
}

void SubtitleFilesMpv::loading(mpv_handle* client, const QString& source)
{
  const QString media = localFile(source);
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
  mpv_set_property(client, "file-local-options/sub-files", MPV_FORMAT_NODE, &node);
  const QByteArray codePage = SubtitleEncoding::name(SubtitleEncoding::forFiles(pages));
  mpv_set_property_string(client, "file-local-options/sub-codepage", codePage.constData());
}

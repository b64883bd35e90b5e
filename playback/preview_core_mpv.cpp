#include "playback/preview_core_mpv.h"

#include "playback/mpv_session_mpv.h"
#include "playback/seeking_mpv.h"

#include <QFile>
#include <mpv/client.h>
#include <mpv/render.h>

namespace {

std::vector<MpvSession::Option> previewOptions()
{
  return {{"vo", "libmpv"}, {"ao", "null"}, {"audio", "no"}, {"sid", "no"}, {"config", "no"},
          {"terminal", "no"}, {"idle", "yes"}, {"keep-open", "always"}, {"pause", "yes"},
          {"osc", "no"}, {"osd-level", "0"}, {"ytdl", "no"}, {"load-scripts", "no"},
          {"input-default-bindings", "no"}, {"load-stats-overlay", "no"},
          {"load-osd-console", "no"}, {"load-auto-profiles", "no"}, {"sub-auto", "no"},
          {"hwdec", "no"}, {"hr-seek", "no"}, {"cache", "no"},
          // One decoding thread: a second one must take the packet after a
          // keyframe before it gives that keyframe out, so each picture cost
          // two frames' decoding and a frame's more memory, and came no sooner.
          {"vd-lavc-threads", "1"},
          // A picture a fifth of the width hides what these save: the loop
          // filter, and the decoder's slower exact steps.
          {"vd-lavc-skiploopfilter", "all"}, {"vd-lavc-fast", "yes"}, {"sws-scaler", "bilinear"},
          {"vd-lavc-dr", "no"}, {"video-latency-hacks", "yes"},
          {"demuxer-max-bytes", "1MiB"}, {"demuxer-max-back-bytes", "0"},
          {"demuxer-readahead-secs", "0"}, {"video-sync", "audio"}};
}

// Scaled down as it leaves the decoder, a picture costs the renderer little.
// Two taps do it: the scaler's default (bicubic, its taps widened six-fold
// from 1080p to 320 px) took about 30 % of each picture's time, and the
// aliasing it spares does not show at this size. An HDR picture is then
// tone-mapped to SDR, close to what the main picture's renderer shows: the
// software renderer would only clip its light, and show it washed out.
QByteArray pictureFilter(QSize size, bool hdr)
{
  QByteArray chain =
      QByteArray("scale=w=%1:h=%2:force_original_aspect_ratio=decrease:flags=fast_bilinear")
          .replace("%1", QByteArray::number(size.width()))
          .replace("%2", QByteArray::number(size.height()));
  if (hdr)
    chain += ",lavfi=[zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,"
             "tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv,format=yuv420p]";
  return chain;
}

} // namespace

PreviewCoreMpv::PreviewCoreMpv(QObject* parent)
    : QObject(parent), m_session(std::make_unique<MpvSession>(previewOptions())),
      m_seeking(std::make_unique<SeekingMpv>(*m_session))
{
  m_session->on(MPV_EVENT_FILE_LOADED, [this](const mpv_event&) {
    m_loaded = true;
    if (m_shown != m_start)
      m_seeking->seek(m_shown, SeekQueue::Want::Nearby, m_start);
  });
  m_session->on(MPV_EVENT_END_FILE, [this](const mpv_event& event) {
    m_loaded = false;
    if (static_cast<const mpv_event_end_file*>(event.data)->reason == MPV_END_FILE_REASON_ERROR)
      emit failed(m_path);
  });
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
      {MPV_RENDER_PARAM_INVALID, nullptr}};
  if (mpv_render_context_create(&m_render, m_session->handle(), params) < 0)
    m_render = nullptr;
  else
    mpv_render_context_set_update_callback(m_render, &PreviewCoreMpv::onRenderUpdate, this);
}

PreviewCoreMpv::~PreviewCoreMpv()
{
  if (m_render) {
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
  }
}

void PreviewCoreMpv::show(const QString& path, double seconds, QSize size, bool exact, bool hdr)
{
  if (!m_render || size.isEmpty())
    return;
  if (size != m_size || hdr != m_hdr) {
    m_size = size;
    m_hdr = hdr;
    m_session->set("vf", pictureFilter(size, hdr));
  }
  const double from = m_shown;
  m_shown = seconds;
  if (path != m_path) {
    m_path = path;
    m_loaded = false;
    emit pictureReady(QImage());
    m_start = seconds;
    // Opened where the pointer is: the first picture is the one wanted.
    m_session->set("start", QByteArray::number(seconds, 'f', 3));
    m_session->command({"loadfile", QFile::encodeName(path), "replace"});
    return;
  }
  if (m_loaded)
    m_seeking->seek(seconds, exact ? SeekQueue::Want::Exact : SeekQueue::Want::Nearby, from);
}

// Called on one of mpv's threads: hand over to the GUI thread, once.
void PreviewCoreMpv::onRenderUpdate(void* self)
{
  auto* core = static_cast<PreviewCoreMpv*>(self);
  if (!core->m_updatePosted.exchange(true))
    QMetaObject::invokeMethod(core, &PreviewCoreMpv::takeUpdate, Qt::QueuedConnection);
}

void PreviewCoreMpv::takeUpdate()
{
  m_updatePosted = false;
  if (!m_render || !(mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME) ||
      m_size.isEmpty())
    return;
  QImage picture(m_size, QImage::Format_RGBX8888);
  int size[2] = {m_size.width(), m_size.height()};
  size_t stride = size_t(picture.bytesPerLine());
  mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                               {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("rgb0")},
                               {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                               {MPV_RENDER_PARAM_SW_POINTER, picture.bits()},
                               {MPV_RENDER_PARAM_INVALID, nullptr}};
  if (mpv_render_context_render(m_render, params) >= 0)
    emit pictureReady(picture);
}

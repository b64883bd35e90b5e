#include "playback/seek_preview_qt.h"

#include "core/media_engine.h"
#include "playback/control_bar_qt.h"
#include "playback/player_view_qt.h"
#include "playback/preview_core_mpv.h"
#include "playback/seek_hover_qt.h"
#include "playback/seek_popup_qt.h"
#include "playback/seek_preview_plan.h"

#include <QSlider>

namespace {

// A pointer still this long has come to rest.
constexpr int RestMs = 150;
// A keyframe of a big video costs as much to decode as several frames of
// playback: a pointer sweeping the bar gets a picture this often at most, so
// that the preview takes a small share of what playback takes.
constexpr int PaceMs = 200;

} // namespace

SeekPreviewQt::SeekPreviewQt(MediaEngine& engine, PlayerViewQt* view)
    : QObject(view), m_engine(engine), m_view(view)
{
  auto* hover = new SeekHoverQt(view->bar()->seekSlider());
  connect(hover, &SeekHoverQt::hovered, this, &SeekPreviewQt::hovered);
  connect(hover, &SeekHoverQt::left, this, &SeekPreviewQt::left);
  connect(&engine, &MediaEngine::currentMediaChanged, this, &SeekPreviewQt::left);
  m_pace.setSingleShot(true);
  connect(&m_pace, &QTimer::timeout, this, [this] { askForPicture(false); });
  m_rest.setSingleShot(true);
  m_rest.setInterval(RestMs);
  connect(&m_rest, &QTimer::timeout, this, [this] { askForPicture(true); });
}

SeekPreviewQt::~SeekPreviewQt() = default;

void SeekPreviewQt::hovered(double seconds, int x)
{
  const std::optional<MediaItem> item = m_engine.currentMedia();
  if (!item || !(item->duration > 0)) {
    left();
    return;
  }
  m_seconds = seconds;
  m_x = x;
  // Made on the first hover: a window that never shows has no business in the window tree.
  if (!m_popup) {
    m_popup = new SeekPopupQt(m_view);
    connect(m_popup, &SeekPopupQt::shownChanged, this, &SeekPreviewQt::shownChanged);
  }
  QSize picture = SeekPreviewPlan::pictureSize(*item);
  if (!picture.isEmpty() && !m_core) {
    m_core = new PreviewCoreMpv(this);
    connect(m_core, &PreviewCoreMpv::pictureReady, m_popup, &SeekPopupQt::setPicture);
    connect(m_core, &PreviewCoreMpv::failed, this, [this](const QString& path) {
      m_unopened = path;
      if (m_popup && m_popup->isVisible())
        hovered(m_seconds, m_x);
    });
  }
  if (m_core && (!m_core->ready() || item->sourceURL == m_unopened))
    picture = QSize();
  QSlider* slider = m_view->bar()->seekSlider();
  const QPoint anchor(slider->mapTo(m_view, QPoint(x, 0)).x(), m_view->bar()->y() - 2);
  m_popup->showAt(anchor, SeekPreviewPlan::caption(seconds, m_engine.chapters()), picture);
  if (picture.isEmpty())
    return;
  m_rest.start();
  if (!m_sinceAsked.isValid() || m_sinceAsked.elapsed() >= PaceMs)
    askForPicture(false);
  else if (!m_pace.isActive())
    m_pace.start(PaceMs - int(m_sinceAsked.elapsed()));
}

void SeekPreviewQt::askForPicture(bool exact)
{
  const std::optional<MediaItem> item = m_engine.currentMedia();
  if (!m_core || !item || !m_popup || !m_popup->isVisible())
    return;
  // Only the quick pictures of a moving pointer are paced.
  if (!exact)
    m_sinceAsked.start();
  m_core->show(item->sourceURL, m_seconds, SeekPreviewPlan::pictureSize(*item), exact,
               item->highDynamicRange);
}

void SeekPreviewQt::left()
{
  m_rest.stop();
  m_pace.stop();
  if (m_popup)
    m_popup->hide();
}

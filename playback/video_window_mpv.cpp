#include "playback/video_window_mpv.h"

#include "core/shift_state.h"
#include "playback/card_painter_qt.h"
#include "playback/card_popup_qt.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <mpv/render_gl.h>
#include <qpa/qplatformnativeinterface.h>

namespace {

void* procAddress(void*, const char* name)
{
  QOpenGLContext* context = QOpenGLContext::currentContext();
  return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

// The display connection Qt draws on. Hardware decoding hands its frames to
// OpenGL without a copy only through it (VA-API over EGL).
mpv_render_param displayParam()
{
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
  void* display = native ? native->nativeResourceForIntegration(wayland ? "wl_display" : "display")
                         : nullptr;
  if (!display)
    return {MPV_RENDER_PARAM_INVALID, nullptr};
  return {wayland ? MPV_RENDER_PARAM_WL_DISPLAY : MPV_RENDER_PARAM_X11_DISPLAY, display};
}

} // namespace

VideoWindowMpv::VideoWindowMpv(mpv_handle* mpv) : QOpenGLWindow(NoPartialUpdate), m_mpv(mpv)
{
  // A click on the picture must not take the keyboard away from the window's
  // widgets: the main window previews every key, the player handles its own.
  setFlag(Qt::WindowDoesNotAcceptFocus);
}

VideoWindowMpv::~VideoWindowMpv()
{
  freeRenderContext();
}

void VideoWindowMpv::freeRenderContext()
{
  if (!m_render)
    return;
  makeCurrent();
  mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
  mpv_render_context_free(m_render);
  m_render = nullptr;
  doneCurrent();
}

bool VideoWindowMpv::event(QEvent* event)
{
  // Closing a full-screen window takes the picture's native window away while
  // an expose for it is still queued (delivered as a paint); with nothing to
  // draw on, QOpenGLWindow would paint through the context it has let go.
  const QEvent::Type type = event->type();
  if ((type == QEvent::Expose || type == QEvent::Paint || type == QEvent::UpdateRequest) &&
      !handle())
    return true;
  return QOpenGLWindow::event(event);
}

void VideoWindowMpv::initializeGL()
{
  mpv_opengl_init_params glInit{procAddress, nullptr};
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
      {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
      displayParam(),
      {MPV_RENDER_PARAM_INVALID, nullptr}};
  if (mpv_render_context_create(&m_render, m_mpv, params) < 0) {
    m_render = nullptr;
    return;
  }
  mpv_render_context_set_update_callback(m_render, &VideoWindowMpv::onRenderUpdate, this);
  emit renderContextReady();
}

// Called on one of mpv's threads: hand over to the GUI thread, once.
void VideoWindowMpv::onRenderUpdate(void* self)
{
  auto* widget = static_cast<VideoWindowMpv*>(self);
  if (!widget->m_updatePosted.exchange(true))
    QMetaObject::invokeMethod(widget, &VideoWindowMpv::takeUpdate, Qt::QueuedConnection);
}

void VideoWindowMpv::takeUpdate()
{
  m_updatePosted = false;
  if (m_render && (mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME)) {
    m_frameWaiting = true;
    // Drawn now, not on an update request, which comes 5 ms later: a seek's
    // new picture is on screen that much sooner.
    if (isExposed()) {
      QPaintEvent now(QRect(QPoint(0, 0), size()));
      event(&now);
    } else {
      update();
    }
  }
}

void VideoWindowMpv::paintGL()
{
  if (!m_render) {
    context()->functions()->glClearColor(0, 0, 0, 1);
    context()->functions()->glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  const qreal ratio = devicePixelRatio();
  mpv_opengl_fbo fbo{int(defaultFramebufferObject()), int(width() * ratio), int(height() * ratio), 0};
  int flipY = 1;
  // Waiting for the frame's display time would block the GUI thread.
  int blockForTargetTime = 0;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
      {MPV_RENDER_PARAM_FLIP_Y, &flipY},
      {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
      {MPV_RENDER_PARAM_INVALID, nullptr}};
  mpv_render_context_render(m_render, params);
  if (!m_message.isEmpty())
    paintMessage();
  if (!m_card.isEmpty() && !m_cardPopup) {
    QPainter painter(this);
    paintCard(painter, QRect(0, 0, width(), height()), m_card);
  }
  if (m_frameWaiting) {
    m_frameWaiting = false;
    emit frameDrawn();
  }
}

void VideoWindowMpv::setMessage(const QString& text)
{
  // One line: a line break in a file name is no instruction.
  QString line = text;
  for (QChar& c : line)
    if (c.category() == QChar::Other_Control)
      c = u' ';
  if (line == m_message)
    return;
  m_message = line;
  update();
}

void VideoWindowMpv::setCard(const QVector<CardSection>& card)
{
  m_card = card;
  placeCard();
  update();
}

void VideoWindowMpv::resizeGL(int, int)
{
  if (!m_card.isEmpty())
    placeCard();
}

// Over the picture where it reads there, else in a window of its own over it.
// Under Wayland such a window is stacked with the picture's own surface and
// takes the keys from the main window: the card stays in the picture there.
void VideoWindowMpv::placeCard()
{
  static const bool ownWindows = QGuiApplication::platformName() == QLatin1String("xcb");
  if (m_card.isEmpty() || !ownWindows || cardFits(QFont(), size(), m_card)) {
    m_cardPopup.reset();
    return;
  }
  if (!m_cardPopup) {
    m_cardPopup = std::make_unique<CardPopupQt>();
    // Tied to the player's window, as a pop-up must be under Wayland.
    QWindow* top = this;
    while (top->parent())
      top = top->parent();
    m_cardPopup->winId();
    m_cardPopup->windowHandle()->setTransientParent(top);
    connect(m_cardPopup.get(), &CardPopupQt::pressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint global) {
              press(button, modifiers, mapFromGlobal(global));
            });
  }
  m_cardPopup->showCard(m_card, mapToGlobal(QRect(QPoint(), size()).center()));
}

// White on a dark band, so that it reads over any picture; the size follows
// the picture, from the compact audio window to full screen.
void VideoWindowMpv::paintMessage()
{
  QPainter painter(this);
  QFont font = painter.font();
  font.setPixelSize(std::clamp(height() / 16, 13, 26));
  painter.setFont(font);
  const int margin = QFontMetrics(font).height() / 2;
  // A long name wraps rather than hide the reason at the end.
  const QRect room(2 * margin, 0, std::max(1, width() - 4 * margin), height());
  const int flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
  QRect band = painter.boundingRect(room, flags, m_message).adjusted(-margin, -margin / 2,
                                                                     margin, margin / 2);
  band.moveCenter(QRect(0, 0, width(), height()).center());
  painter.fillRect(band, QColor(0, 0, 0, 180));
  painter.setPen(Qt::white);
  painter.drawText(band, flags, m_message);
}

void VideoWindowMpv::mousePressEvent(QMouseEvent* event)
{
  press(event->button(), event->modifiers(), event->position());
}

void VideoWindowMpv::press(Qt::MouseButton which, Qt::KeyboardModifiers modifiers, QPointF at)
{
  int button = 0;
  switch (which) {
  case Qt::LeftButton: button = 1; break;
  case Qt::RightButton: button = 2; break;
  case Qt::MiddleButton: button = 4; break;
  default: return;
  }
  emit pressed(button, shiftStateOf(modifiers), at);
}

void VideoWindowMpv::mouseDoubleClickEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton)
    emit doubleClicked();
}

void VideoWindowMpv::mouseMoveEvent(QMouseEvent* event)
{
  emit mouseMoved(event->position().toPoint());
}

void VideoWindowMpv::wheelEvent(QWheelEvent* event)
{
  // A touchpad sends small steps; they add up to notches of 120.
  m_wheelSteps += event->angleDelta().y();
  const int notches = m_wheelSteps / QWheelEvent::DefaultDeltasPerStep;
  m_wheelSteps -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0)
    emit wheelTurned(notches);
}

#include "app/saved_rectangle.h"

#include <cmath>

namespace {

// A saved window may be larger than the screens (a picture at 200 per cent
// of a large video), but not this many times their extent.
constexpr double ScreensAcross = 3;
// The width of title bar the user needs on a screen to drag the window back.
constexpr double GripWidth = 50 * TwipsPerPixel;

std::optional<QRectF> parse(const QString& move)
{
  const QStringList parts = move.split(u',');
  if (parts.size() != 4)
    return std::nullopt;
  double value[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    value[i] = parts[i].toFloat(&ok);
    if (!ok || !std::isfinite(value[i]))
      return std::nullopt;
  }
  return QRectF(value[0], value[1], value[2], value[3]);
}

bool titleBarReachable(const QRectF& window, const QList<QRectF>& screens, Twips titleBarHeight)
{
  const double height = std::max(double(titleBarHeight), double(TwipsPerPixel));
  const QRectF titleBar(window.left(), window.top(), window.width(), height);
  for (const QRectF& screen : screens) {
    const QRectF visible = titleBar.intersected(screen);
    if (visible.width() >= std::min(GripWidth, window.width()) && visible.height() >= height / 2)
      return true;
  }
  return false;
}

} // namespace

std::optional<QRectF> usableSavedRectangle(const QString& move, const QList<QRectF>& screens,
                                           Twips titleBarHeight)
{
  const std::optional<QRectF> window = parse(move);
  if (!window || window->width() <= 0 || window->height() <= 0)
    return std::nullopt;
  QRectF desktop;
  for (const QRectF& screen : screens)
    desktop = desktop.united(screen);
  if (window->width() > ScreensAcross * desktop.width() ||
      window->height() > ScreensAcross * desktop.height())
    return std::nullopt;
  if (!titleBarReachable(*window, screens, titleBarHeight))
    return std::nullopt;
  return window;
}

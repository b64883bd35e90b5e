#pragma once

#include "core/twips.h"
#include <QList>
#include <QRectF>
#include <QString>

namespace WindowState {
inline constexpr int Normal = 0;
inline constexpr int Minimized = 1;
inline constexpr int Maximized = 2;
} // namespace WindowState

// The main window as its handlers see it, in twips. Left, Top, Width and Height
// are the outer rectangle (frame and title bar included); ScaleWidth and
// ScaleHeight are the client area. Every change of Width or Height reaches
// MediaFrm::Form_Resize before the setter returns, as the handlers rely on.
class MainWindowPort {
public:
  virtual ~MainWindowPort() = default;

  virtual Twips Left() const = 0;
  virtual Twips Top() const = 0;
  virtual Twips Width() const = 0;
  virtual Twips Height() const = 0;
  virtual void setLeft(Twips left) = 0;
  virtual void setTop(Twips top) = 0;
  virtual void setWidth(Twips width) = 0;
  virtual void setHeight(Twips height) = 0;
  virtual Twips ScaleWidth() const = 0;
  virtual Twips ScaleHeight() const = 0;

  virtual int windowState() const = 0;
  virtual void setWindowState(int state) = 0;
  // Raises the window above the others and gives it the focus, as far as the
  // desktop allows.
  virtual void bringToFront() = 0;
  // The desktop's token that lets the next bringToFront take the focus where
  // only such a token does (Wayland's activation).
  virtual void allowActivation(const QString& token) = 0;
  // Closes the window as its close button does: Form_Unload runs, then the
  // program ends.
  virtual void closeWindow() = 0;

  virtual QString caption() const = 0;
  virtual void setCaption(const QString& caption) = 0;

  // The whole primary screen, not the work area.
  virtual Twips screenWidth() const = 0;
  virtual Twips screenHeight() const = 0;
  // Every screen of the desktop, where it lies in the same coordinates as the
  // window.
  virtual QList<QRectF> screens() const = 0;

  // The player control's size; it sits at the client area's top left corner.
  virtual void setPlayerSize(Twips width, Twips height) = 0;

  // Pops the File menu up at the mouse position.
  virtual void popupFileMenu() = 0;

  // The always-on-top band; position and size stay as they are.
  virtual void setStaysOnTop(bool on) = 0;

  // The window's big icon from the program's own icon at size × size pixels.
  virtual void setBigIcon(int size) = 0;
};

// Centres the window on the screen with its outer size of this moment: Top
// first, then Left.
inline void centreOnScreen(MainWindowPort& window)
{
  window.setTop((window.screenHeight() - window.Height()) / 2);
  window.setLeft((window.screenWidth() - window.Width()) / 2);
}

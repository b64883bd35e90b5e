#pragma once

#include "core/main_window_port.h"
#include <QStringList>
#include <functional>

// A main window with a realistic frame (4 px borders, a 25 px title bar), a
// 1920 × 1080 screen that is the whole desktop, and no pixel rounding. Width
// and height changes reach the resize handler synchronously, as on the real
// window. `log` records every change in order.
class FakeWindow : public MainWindowPort {
public:
  Twips frameLeft = 60, frameRight = 60, frameTop = 375, frameBottom = 60;
  Twips left = 0, top = 0, width = 9015 + 120, height = 4725 + 435;
  int state = WindowState::Normal;
  QString title = QStringLiteral("Kelvarino");
  Twips screenW = 1920 * 15, screenH = 1080 * 15;
  QList<QRectF> desktop{QRectF(0, 0, 1920 * 15, 1080 * 15)};
  Twips playerWidth = -1, playerHeight = -1;
  bool onTop = false;
  int bigIconSize = 0;
  int popups = 0;
  QStringList log;
  std::function<void()> onResize;

  Twips Left() const override { return left; }
  Twips Top() const override { return top; }
  Twips Width() const override { return width; }
  Twips Height() const override { return height; }
  void setLeft(Twips v) override;
  void setTop(Twips v) override;
  void setWidth(Twips v) override;
  void setHeight(Twips v) override;
  Twips ScaleWidth() const override { return width - frameLeft - frameRight; }
  Twips ScaleHeight() const override { return height - frameTop - frameBottom; }
  int windowState() const override { return state; }
  void setWindowState(int s) override;
  void bringToFront() override { log << "front"; }
  void allowActivation(const QString& token) override { log << "token " + token; }
  void closeWindow() override { log << "close"; }
  QString caption() const override { return title; }
  void setCaption(const QString& c) override;
  Twips screenWidth() const override { return screenW; }
  Twips screenHeight() const override { return screenH; }
  QList<QRectF> screens() const override { return desktop; }
  void setPlayerSize(Twips w, Twips h) override;
  void popupFileMenu() override;
  void setStaysOnTop(bool on) override;
  void setBigIcon(int size) override;
};

#include "fake_window.h"

namespace {
QString n(Twips v) { return QString::number(double(v)); }
} // namespace

void FakeWindow::setLeft(Twips v) { left = v; log << "left " + n(v); }
void FakeWindow::setTop(Twips v) { top = v; log << "top " + n(v); }

void FakeWindow::setWidth(Twips v)
{
  width = v;
  log << "width " + n(v);
  if (onResize)
    onResize();
}

void FakeWindow::setHeight(Twips v)
{
  height = v;
  log << "height " + n(v);
  if (onResize)
    onResize();
}

void FakeWindow::setWindowState(int s)
{
  state = s;
  log << "state " + QString::number(s);
  if (onResize)
    onResize();
}

void FakeWindow::setCaption(const QString& c) { title = c; log << "caption " + c; }

void FakeWindow::setPlayerSize(Twips w, Twips h)
{
  playerWidth = w;
  playerHeight = h;
  log << "player " + n(w) + "x" + n(h);
}

void FakeWindow::popupFileMenu() { ++popups; log << "popup"; }
void FakeWindow::setStaysOnTop(bool on) { onTop = on; log << (on ? "topmost" : "no-topmost"); }
void FakeWindow::setBigIcon(int size) { bigIconSize = size; log << "icon " + QString::number(size); }

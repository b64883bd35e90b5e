#pragma once

#include <QStringList>
#include <Qt>

enum class MenuItem;

// What the main window reports to the form: the window's own events, as the
// window adapter receives them from the desktop.
class FormEvents {
public:
  virtual ~FormEvents() = default;
  virtual void Form_Resize() = 0;
  virtual void Form_KeyDown(int keyCode, int shift) = 0;
  // A key the form let pass goes to the player; true when it is the player's.
  virtual bool playerKeyPressed(int key, Qt::KeyboardModifiers modifiers) = 0;
  virtual void Form_Unload() = 0;
  // The paths dropped on the window.
  virtual void Form_OLEDragDrop(const QStringList& Data) = 0;
  virtual void menuCommand(MenuItem item) = 0;
};

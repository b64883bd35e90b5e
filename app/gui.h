#pragma once

#include <functional>
#include <future>
#include <memory>

class MainWindowPort;
class MediaEngine;
class PlayerControls;
class FileDialogs;
class MessageBoxes;
class ProcessLauncher;
class TaskbarList;
class ExecutionState;
class ClassStore;
class InstanceServer;
class MediaFrm;
class UrlFormView;

// Everything of the desktop that the window's handlers reach, made only once
// the process knows it is the first instance (so a second start never loads
// the GUI stack).
class Gui {
public:
  virtual ~Gui() = default;
  virtual MainWindowPort& window() = 0;
  virtual MediaEngine& engine() = 0;
  // What a person does with the player control's bar and picture.
  virtual PlayerControls& playerControls() = 0;
  virtual FileDialogs& fileDialogs() = 0;
  virtual MessageBoxes& messageBoxes() = 0;
  virtual ProcessLauncher& processes() = 0;
  // Progress on the program's dock or taskbar button; null when the desktop
  // offers no such facility (there is no session bus).
  virtual std::unique_ptr<TaskbarList> createTaskbarList() = 0;
  // Resets the idle timers of the display and the session.
  virtual ExecutionState& executionState() = 0;
  virtual ClassStore& classStore() = 0;
  virtual InstanceServer& instanceServer() = 0;
  // A new open-URL dialog, modal over the main window once shown.
  virtual std::unique_ptr<UrlFormView> createUrlForm() = 0;
  // Runs work that must not hold up the window on a thread of its own; the
  // future is ready when it has finished.
  virtual std::future<void> runAside(std::function<void()> work) = 0;
  // Shows the main window and runs the event loop until it closes.
  virtual int exec() = 0;
};

class GuiFactory {
public:
  virtual ~GuiFactory() = default;
  // Builds the application, the main window and the engine; the window's
  // events are forwarded to `form`.
  virtual std::unique_ptr<Gui> create(MediaFrm& form) = 0;
};

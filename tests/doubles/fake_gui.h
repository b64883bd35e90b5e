#pragma once

#include "app/gui.h"
#include "core/player_controls.h"
#include "qt_printers.h"
#include "app/media_frm.h"
#include "fake_class_store.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "fake_presentation.h"
#include "fake_instances.h"
#include "fake_process_launcher.h"
#include "fake_url_form_view.h"
#include "fake_window.h"

// The desktop of a handler test: every port a double. The window's resize
// handling reaches the form, as on the real window.
class FakeGui : public Gui {
public:
  FakeWindow win;
  FakeEngine eng;
  PlayerControls controls; // tests emit what a person does with the bar
  FakeFileDialogs files;
  FakeMessageBoxes messages;
  FakeProcessLauncher launcher;
  FakeExecutionState idle;
  bool hasTaskbar = true;   // false: a desktop without a session bus
  QStringList taskbarCalls; // what reached the form's taskbar list
  FakeClassStore classes;
  FakeInstanceServer server;

  MainWindowPort& window() override { return win; }
  MediaEngine& engine() override { return eng; }
  PlayerControls& playerControls() override { return controls; }
  FileDialogs& fileDialogs() override { return files; }
  MessageBoxes& messageBoxes() override { return messages; }
  ProcessLauncher& processes() override { return launcher; }
  std::unique_ptr<TaskbarList> createTaskbarList() override
  {
    win.log << "taskbar list";
    if (!hasTaskbar)
      return nullptr;
    return std::make_unique<FakeTaskbarList>(taskbarCalls);
  }
  ExecutionState& executionState() override { return idle; }
  ClassStore& classStore() override { return classes; }
  InstanceServer& instanceServer() override { return server; }
  // What the user does in every open-URL dialog while it is shown.
  std::function<void(FakeUrlFormView&, UrlFrm&)> urlFormUser;
  int urlFormsMade = 0;
  std::unique_ptr<UrlFormView> createUrlForm() override
  {
    auto view = std::make_unique<FakeUrlFormView>();
    view->user = urlFormUser;
    ++urlFormsMade;
    return view;
  }
  // Runs at once, so that tests see its effects on return.
  std::future<void> runAside(std::function<void()> work) override
  {
    work();
    std::promise<void> done;
    done.set_value();
    return done.get_future();
  }
  int exec() override { return 0; }
};

// Hands the form a FakeGui it keeps a pointer to, so the test can look inside.
class FakeGuiFactory : public GuiFactory {
public:
  FakeGui* gui = nullptr;
  int created = 0;
  bool hasTaskbar = true; // handed to the FakeGui it makes
  // What the class store holds when the next GUI is made, as earlier starts
  // left it.
  std::map<QString, QString> registered;
  // The screens of the next GUI's desktop.
  QList<QRectF> desktop = FakeWindow().desktop;
  std::unique_ptr<Gui> create(MediaFrm& form) override
  {
    auto made = std::make_unique<FakeGui>();
    made->classes.values = registered;
    made->win.desktop = desktop;
    made->win.onResize = [&form] { form.Form_Resize(); };
    made->hasTaskbar = hasTaskbar;
    gui = made.get();
    ++created;
    return made;
  }
};

#pragma once

#include "app/gui.h"
#include "qt_printers.h"
#include "app/media_frm.h"
#include "fake_dialogs.h"
#include "fake_engine.h"
#include "fake_process_launcher.h"
#include "fake_url_form_view.h"
#include "fake_window.h"

// The desktop of a handler test: every port a double. The window's resize
// handling reaches the form, as on the real window.
class FakeGui : public Gui {
public:
  FakeWindow win;
  FakeEngine eng;
  FakeFileDialogs files;
  FakeMessageBoxes messages;
  FakeProcessLauncher launcher;

  MainWindowPort& window() override { return win; }
  MediaEngine& engine() override { return eng; }
  FileDialogs& fileDialogs() override { return files; }
  MessageBoxes& messageBoxes() override { return messages; }
  ProcessLauncher& processes() override { return launcher; }
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
  int exec() override { return 0; }
};

// Hands the form a FakeGui it keeps a pointer to, so the test can look inside.
class FakeGuiFactory : public GuiFactory {
public:
  FakeGui* gui = nullptr;
  int created = 0;
  std::unique_ptr<Gui> create(MediaFrm& form) override
  {
    auto made = std::make_unique<FakeGui>();
    made->win.onResize = [&form] { form.Form_Resize(); };
    gui = made.get();
    ++created;
    return made;
  }
};

#pragma once

#include "app/gui.h"

// Loads the adapters library (beside the executable in a build folder, or in
// the install's library folder) and builds the GUI through it.
class GuiLibrary : public GuiFactory {
public:
  GuiLibrary(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}
  std::unique_ptr<Gui> create(MediaFrm& form) override;

private:
  int& m_argc;
  char** m_argv;
};

// The adapters library's entry point.
extern "C" {
using KelvarinoCreateGui = Gui* (*)(int& argc, char** argv, MediaFrm& form);
}
inline constexpr const char* KelvarinoCreateGuiSymbol = "kelvarino_create_gui";

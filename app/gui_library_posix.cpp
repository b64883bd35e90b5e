#include "app/gui_library_posix.h"

#include "app/media_frm.h"
#include "core/program_folder.h"
#include "core/milestone_trace.h"
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

void* openAdapters(const QString& programFolder)
{
  const QString candidates[] = {
      joinPath(programFolder, QStringLiteral("libkelvarino_adapters.so")),
      joinPath(programFolder, QStringLiteral("../" KELVARINO_LIBDIR "/libkelvarino_adapters.so")),
  };
  QByteArray errors;
  for (const QString& path : candidates) {
    if (!QFile::exists(path))
      continue;
    if (void* library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL))
      return library;
    errors += dlerror();
    errors += '\n';
  }
  std::fprintf(stderr, "kelvarino: cannot load the player's libraries from %s\n%s",
               qPrintable(programFolder), errors.constData());
  return nullptr;
}

} // namespace

std::unique_ptr<Gui> GuiLibrary::create(MediaFrm& form)
{
  void* library = openAdapters(form.programFolder());
  if (!library)
    std::exit(EXIT_FAILURE);
  // The library stays loaded for the life of the process.
  traceMilestone("libraries-loaded");
  auto createGui = reinterpret_cast<KelvarinoCreateGui>(dlsym(library, KelvarinoCreateGuiSymbol));
  if (!createGui) {
    std::fprintf(stderr, "kelvarino: %s\n", dlerror());
    std::exit(EXIT_FAILURE);
  }
  std::unique_ptr<Gui> gui(createGui(m_argc, m_argv, form));
  traceMilestone("gui-made");
  return gui;
}

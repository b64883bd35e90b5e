// The composition root. The launcher links QtCore and the logic only; the GUI
// stack (widgets, OpenGL, libmpv, D-Bus, QtNetwork) is loaded once this
// process knows it is the first instance.
#include "app/allocator_posix.h"
#include "app/gui_library_posix.h"
#include "app/instance_channel_posix.h"
#include "app/media_frm.h"
#include "app/start_info_posix.h"
#include "core/milestone_trace.h"
#include "core/runtime_folder.h"

int main(int argc, char** argv)
{
  tuneAllocator();
  traceMilestone("main");
  InstanceChannelPosix channel(privateRuntimeFolder());
  MediaFrm form(startInfoFromArguments(argc, argv), &channel);
  form.Form_Initialize();
  GuiLibrary gui(argc, argv);
  if (!form.Form_Load(gui))
    return 0;
  return form.gui().exec();
}

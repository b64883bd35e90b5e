#include "presentation/mod_topmost.h"

#include "core/main_window_port.h"

namespace ModTOPMOST {

void SetTopMost(MainWindowPort& window)
{
  window.setStaysOnTop(true);
}

void SetNoTopMost(MainWindowPort& window)
{
  window.setStaysOnTop(false);
}

} // namespace ModTOPMOST

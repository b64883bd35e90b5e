#include "presentation/mod_topmost.h"

#include "app/main_window_port.h"

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

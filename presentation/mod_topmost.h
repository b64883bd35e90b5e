#pragma once

class MainWindowPort;

// Puts the main window into the always-on-top band and takes it out again,
// keeping its position and size.
namespace ModTOPMOST {
void SetTopMost(MainWindowPort& window);
void SetNoTopMost(MainWindowPort& window);
} // namespace ModTOPMOST

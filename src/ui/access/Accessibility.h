#pragma once
// What assistive technology (AT-SPI on Linux) is told about the window:
// every control's name, and interfaces of our own where Qt's say too little.
class frmLumentorMGW;

namespace modLumentorMGW {

// Our interfaces for the lists, the relay grid and the overview, once a
// process. Before the window's first control: Qt makes and keeps a
// control's interface at its first event (a list's first selection).
void InstallAccessibility();

// Each control's accessible name: what it is, never what it shows.
void NameControls(frmLumentorMGW &window);

} // namespace modLumentorMGW

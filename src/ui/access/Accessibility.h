#pragma once
// What assistive technology (AT-SPI on Linux) is told about the window:
// every control's name, and interfaces of our own where Qt's say too little.
class frmLumentorMGW;

namespace modLumentorMGW {

// Each control's accessible name: what it is, never what it shows; and, once
// a process, our interfaces for the lists, the relay grid and the overview.
void MakeAccessible(frmLumentorMGW &window);

} // namespace modLumentorMGW

#pragma once
// The serial ports the system reports, asked in this platform's own way
// (Ports_linux.cpp: QSerialPortInfo; Ports_windows.cpp: the registry's
// SERIALCOMM map, named by the device manager).
#include "link/PortList.h"

namespace modLumentorMGW {

std::vector<ReportedPort> SystemPorts();

} // namespace modLumentorMGW

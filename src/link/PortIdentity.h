#pragma once
// What a port's device is, as the system knows it: a USB adapter (which one,
// as Adapter.h finds it, with its maker, product, driver and latency timer),
// a built-in port or a pseudo-terminal. Linux reads sysfs
// (PortIdentity_linux.cpp), Windows the device's registry entries
// (PortIdentity_windows.cpp).
#include "link/Adapter.h"

#include <QString>
#include <QStringList>

namespace modLumentorMGW {

struct PortIdentity
{
    QString device;   // the node or name it resolves to: /dev/ttyUSB0, COM11
    QString kind;     // "USB adapter", "built-in port", "pseudo-terminal", "serial port"
    Adapter adapter;  // serial number, vendor and product
    QString maker, product; // the names it gives itself
    QString driver;   // ftdi_sio, cp210x, FTSER2K...
    int latencyTimerMs = -1; // the adapter's latency timer; -1: it has none
    QString latencyHowTo;    // how to set that timer to 1 ms on this system
};

// Looks the device up; never fails, only knows less.
PortIdentity IdentifyPort(const QString &device);
// What the device tree alone tells (the platform's half of IdentifyPort).
PortIdentity IdentifyDevice(const QString &device);

// The lines a person reads: "Device: ...", then for a USB adapter "USB: ..."
// and "Serial number: ...", then "Driver: ..."; the latency timer is each
// reader's to word.
QStringList DescribePort(const PortIdentity &identity);

// Where Linux's device facts are read from ("/sys" unless a test points it
// at a folder of its own); empty restores /sys. Unused on Windows.
void SetSysfsRoot(const QString &root);

} // namespace modLumentorMGW

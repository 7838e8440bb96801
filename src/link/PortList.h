#pragma once
// The serial ports on offer: COM1 to COM8 first, as port numbers 1 to 8
// always were, then each port the system reports that is not one of them,
// then any port named by the user (a pseudo-terminal, a by-id link). Entry
// index + 1 is the port number PortDevice opens, so the window and mgw
// reach the same device under the same name.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace modLumentorMGW {

// COM1 to COM8: the port numbers the list always starts with.
constexpr int16_t ComPorts = 8;

// One port as the system reports it (SystemPorts.h).
struct ReportedPort
{
    QString name;        // "ttyUSB0", "COM11"
    QString description; // "FT232R USB UART"; may be empty
    QString location;    // "/dev/ttyUSB0", "\\.\COM11"
    // A USB adapter's own marks, which follow it to another name; empty
    // and 0 where the system knows none.
    QString serialNumber = {};
    uint16_t vendor = 0;
    uint16_t product = 0;
};

using PortReporter = std::function<std::vector<ReportedPort>()>;

// Replaces where the ports come from and returns the previous source; an
// empty reporter restores the system's own list.
PortReporter SetPortReporter(PortReporter reporter);

struct PortEntry
{
    QString name;   // what is remembered and given to --port
    QString text;   // what the list shows: "ttyUSB0 (FT232R USB UART)"
    QString device; // what is opened; empty for COM1 to COM8 (PortDevice)
};

// The ports the system (or the installed reporter) reports now.
std::vector<ReportedPort> ReportedPorts();

// The list as last brought up to date (the first call asks the system).
const std::vector<PortEntry> &PortEntries();

// Asks the system again. Reported ports come in a stable order (by name,
// numbers compared as numbers); ports named by the user stay.
void RefreshPorts();

// The port number a name stands for: "COM1" to "COM8", a listed entry's
// name or device, or any other device path, which then becomes an entry.
// Names of one device (a link and its target) find the same entry. Does not
// ask the system: a reported port's name opens the same node as itself
// ("ttyUSB0" is /dev/ttyUSB0 to QSerialPort). 0 for an empty name.
int16_t PortNumberFor(const QString &name);

// The listed port number of a name, without adding one; 0 when not listed.
int16_t ListedPortNumber(const QString &name);

// The device of a port number past COM8, empty when no entry has it.
QString ListedPortDevice(int16_t port);

// Forgets the ports named by the user.
void ForgetNamedPorts();

} // namespace modLumentorMGW

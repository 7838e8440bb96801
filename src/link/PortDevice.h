#pragma once
// Which device a port number opens: COMn on Windows, /dev/ttyS<n-1>
// elsewhere, unless redirected (a simulator's pseudo-terminal, a USB
// adapter); numbers past 8 open the port list's entries (PortList.h).
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

QString PortDevice(int16_t port);

// What port number 1 to 8 opens when not redirected (Ports_<platform>.cpp).
QString DefaultPortDevice(int16_t port);

// The path a port's device is opened by, so that one device has one lock
// whatever it is called: a name that exists as given (relative to the
// current folder too) is that file, another bare name a node in /dev; links
// are followed to the node. Windows names stay as they are.
QString OpenedDevice(const QString &name);

// Redirects port number `port` to `path`; an empty path restores the default.
void SetPortDevice(int16_t port, const QString &path);
// What port is redirected to; empty when it is not.
QString PortRedirection(int16_t port);

} // namespace modLumentorMGW

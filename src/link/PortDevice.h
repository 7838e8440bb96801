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

// Redirects port number `port` to `path`; an empty path restores the default.
void SetPortDevice(int16_t port, const QString &path);

} // namespace modLumentorMGW

#pragma once
// Which device a port number opens: COMn on Windows, /dev/ttyS<n-1>
// elsewhere, unless redirected (a simulator's pseudo-terminal, a USB
// adapter).
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

QString PortDevice(int16_t port);

// Redirects port number `port` to `path`; an empty path restores the default.
void SetPortDevice(int16_t port, const QString &path);

} // namespace modLumentorMGW

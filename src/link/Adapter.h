#pragma once
// Which adapter a port reaches, so that the same one is found again after
// it was pulled: a USB adapter by its serial number, vendor and product
// (it may come back under another name, ttyUSB0 as ttyUSB1), anything else
// by the path it was named by, a link followed afresh each time.
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

struct Adapter
{
    QString path;   // as the port names it (a by-id link stays a link)
    QString serialNumber;
    uint16_t vendor = 0;
    uint16_t product = 0;
};

// The adapter behind port number `port` now.
Adapter IdentifyAdapter(int16_t port);

// Where that adapter can be opened now; empty while it is away. Another
// adapter at the same path (another serial number) is not it.
QString FindAdapter(const Adapter &adapter);

// One text an adapter is known by between runs: "USB 0403:6001 A5XK3RJT",
// or its path.
QString AdapterKey(const Adapter &adapter);

} // namespace modLumentorMGW

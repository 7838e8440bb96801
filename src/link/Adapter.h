#pragma once
// Which adapter a port reaches, as the port list reports it (its serial
// number, vendor and product): the probe, the line log, the record and the
// resume state all take it from here. A USB adapter with a serial number is
// found again after it was pulled (ttyUSB0 may come back as ttyUSB1);
// anything else by the path it was named by, a link followed afresh.
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

struct Adapter
{
    QString path;   // as the port names it (a by-id link stays a link)
    QString serialNumber;
    uint16_t vendor = 0; // 0: not a USB adapter the system knows
    uint16_t product = 0;
};

// Four lower-case hexadecimal digits, as USB ids are written: "0403".
inline QString UsbId(uint16_t id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

// The adapter behind a device path, and behind port number `port` now.
Adapter AdapterAt(const QString &path);
Adapter IdentifyAdapter(int16_t port);

// Where that adapter can be opened now; empty while it is away. Another
// adapter at the same path (another serial number) is not it.
QString FindAdapter(const Adapter &adapter);

// One text an adapter is known by between runs: "USB 0403:6001 A5XK3RJT",
// or its path.
QString AdapterKey(const Adapter &adapter);

} // namespace modLumentorMGW

#include "link/Adapter.h"

#include "link/PortDevice.h"

#include <QSerialPortInfo>

namespace modLumentorMGW {

Adapter AdapterOf(const QString &device)
{
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (OpenedDevice(info.systemLocation()) != device)
            continue;
        Adapter adapter;
        if (info.hasVendorIdentifier())
            adapter.vendorId = QStringLiteral("%1").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'));
        if (info.hasProductIdentifier())
            adapter.productId = QStringLiteral("%1").arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        adapter.serialNumber = info.serialNumber();
        return adapter;
    }
    return Adapter();
}

} // namespace modLumentorMGW

#include "link/PortIdentity.h"

namespace modLumentorMGW {

PortIdentity IdentifyPort(const QString &device)
{
    PortIdentity id = IdentifyDevice(device);
    id.adapter = AdapterAt(id.device);
    if (id.adapter.vendor)
        id.kind = QStringLiteral("USB adapter");
    return id;
}

QStringList DescribePort(const PortIdentity &id)
{
    QStringList lines{QStringLiteral("Device: %1 (%2)").arg(id.device, id.kind)};
    const Adapter &usb = id.adapter;
    if (usb.vendor || !id.product.isEmpty()) {
        QStringList parts;
        if (usb.vendor)
            parts << QStringLiteral("%1:%2").arg(UsbId(usb.vendor), UsbId(usb.product));
        for (const QString &name : {id.maker, id.product}) {
            if (!name.isEmpty())
                parts << name;
        }
        lines << QStringLiteral("USB: %1").arg(parts.join(QLatin1Char(' ')));
        lines << QStringLiteral("Serial number: %1").arg(usb.serialNumber.isEmpty() ? QStringLiteral("none") : usb.serialNumber);
    }
    if (!id.driver.isEmpty())
        lines << QStringLiteral("Driver: %1").arg(id.driver);
    return lines;
}

} // namespace modLumentorMGW

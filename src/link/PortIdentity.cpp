#include "link/PortIdentity.h"

namespace modLumentorMGW {

QStringList DescribePort(const PortIdentity &id)
{
    QStringList lines{QStringLiteral("Device: %1 (%2)").arg(id.device, id.kind)};
    if (!id.vendorId.isEmpty() || !id.product.isEmpty()) {
        QStringList parts;
        if (!id.vendorId.isEmpty())
            parts << QStringLiteral("%1:%2").arg(id.vendorId, id.productId);
        for (const QString &name : {id.maker, id.product}) {
            if (!name.isEmpty())
                parts << name;
        }
        lines << QStringLiteral("USB: %1").arg(parts.join(QLatin1Char(' ')));
        lines << QStringLiteral("Serial number: %1").arg(id.serial.isEmpty() ? QStringLiteral("none") : id.serial);
    }
    if (!id.driver.isEmpty())
        lines << QStringLiteral("Driver: %1").arg(id.driver);
    return lines;
}

} // namespace modLumentorMGW

#include "link/Adapter.h"

#include "link/PortDevice.h"
#include "link/PortList.h"

#include <QFileInfo>

namespace modLumentorMGW {

Adapter IdentifyAdapter(int16_t port)
{
    Adapter adapter;
    adapter.path = PortDevice(port);
    const QString real = OpenedDevice(adapter.path);
    for (const ReportedPort &reported : ReportedPorts()) {
        if (!reported.serialNumber.isEmpty() && OpenedDevice(reported.location) == real) {
            adapter.serialNumber = reported.serialNumber;
            adapter.vendor = reported.vendor;
            adapter.product = reported.product;
            break;
        }
    }
    return adapter;
}

QString FindAdapter(const Adapter &adapter)
{
    if (adapter.serialNumber.isEmpty())
        return QFileInfo::exists(OpenedDevice(adapter.path)) ? adapter.path : QString();
    for (const ReportedPort &reported : ReportedPorts()) {
        if (reported.serialNumber == adapter.serialNumber && reported.vendor == adapter.vendor
            && reported.product == adapter.product && QFileInfo::exists(OpenedDevice(reported.location)))
            return reported.location;
    }
    return QString();
}

QString AdapterKey(const Adapter &adapter)
{
    if (adapter.serialNumber.isEmpty())
        return adapter.path.startsWith(QLatin1Char('/')) ? QFileInfo(adapter.path).absoluteFilePath() : adapter.path;
    return QStringLiteral("USB %1:%2 %3")
        .arg(adapter.vendor, 4, 16, QLatin1Char('0'))
        .arg(adapter.product, 4, 16, QLatin1Char('0'))
        .arg(adapter.serialNumber);
}

} // namespace modLumentorMGW

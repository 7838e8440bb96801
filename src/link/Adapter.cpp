#include "link/Adapter.h"

#include "link/PortDevice.h"
#include "link/PortList.h"

#include <QFileInfo>

namespace modLumentorMGW {

namespace {
// What a path opens, as the port list writes it: Windows lists "\\.\COM11"
// where a port may be named "COM11".
QString Opened(const QString &path)
{
    const QString device = OpenedDevice(path);
    return device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
}
} // namespace

Adapter AdapterAt(const QString &path)
{
    Adapter adapter;
    adapter.path = path;
    const QString real = Opened(path);
    for (const ReportedPort &reported : ReportedPorts()) {
        if ((!reported.serialNumber.isEmpty() || reported.vendor) && Opened(reported.location) == real) {
            adapter.serialNumber = reported.serialNumber;
            adapter.vendor = reported.vendor;
            adapter.product = reported.product;
            break;
        }
    }
    return adapter;
}

Adapter IdentifyAdapter(int16_t port)
{
    return AdapterAt(PortDevice(port));
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
    return QStringLiteral("USB %1:%2 %3").arg(UsbId(adapter.vendor), UsbId(adapter.product), adapter.serialNumber);
}

} // namespace modLumentorMGW

// Linux's serial port facts: COMn is /dev/ttyS<n-1>, a device is opened by
// its resolved path, and QSerialPortInfo tells the ports the system has.
#include "link/PortDevice.h"
#include "link/SystemPorts.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace modLumentorMGW {

QString DefaultPortDevice(int16_t port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

QString OpenedDevice(const QString &name)
{
    if (name.isEmpty())
        return name;
    QFileInfo info(name);
    if (!info.exists() && !name.contains(QLatin1Char('/')))
        info = QFileInfo(QStringLiteral("/dev/") + name);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

std::vector<ReportedPort> SystemPorts()
{
    std::vector<ReportedPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), info.description(), info.systemLocation(), info.serialNumber(),
                         info.vendorIdentifier(), info.productIdentifier()});
    return ports;
}

} // namespace modLumentorMGW

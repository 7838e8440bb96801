// Linux's serial port facts: COMn is /dev/ttyS<n-1>, and QSerialPortInfo
// tells the ports the system has.
#include "link/PortDevice.h"
#include "link/SystemPorts.h"

#include <QSerialPortInfo>

namespace modLumentorMGW {

QString DefaultPortDevice(int16_t port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

std::vector<ReportedPort> SystemPorts()
{
    std::vector<ReportedPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), info.description(), info.systemLocation()});
    return ports;
}

} // namespace modLumentorMGW

// Windows' serial port facts: COMn is COMn, and the system's ports are the
// registry's SERIALCOMM map (what every serial driver, Wine's too, enters),
// described by the device manager where it knows them, with a USB adapter's
// ids and serial number from its instance id.
#include "link/PortDevice.h"
#include "link/SystemPorts.h"

#include <QHash>
#include <QRegularExpression>

#include <windows.h>
// after windows.h
#include <devguid.h>
#include <setupapi.h>

namespace modLumentorMGW {

namespace {
QString registryText(HKEY key, const wchar_t *name)
{
    wchar_t text[256];
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS
        || type != REG_SZ)
        return QString();
    text[size / sizeof(wchar_t)] = 0;
    return QString::fromWCharArray(text);
}

// The serial number in a device instance id: USB\VID_2341&PID_0043\SERIAL
// or FTDIBUS\VID_0403+PID_6001+SERIALA\0000; none where Windows made the
// last part up ("5&2A3B&0&1").
QString serialIn(const QString &instance)
{
    const QString middle = instance.section(QLatin1Char('\\'), 1, 1), last = instance.section(QLatin1Char('\\'), 2, 2);
    return middle.contains(QLatin1Char('+')) ? middle.section(QLatin1Char('+'), -1)
                                             : last.contains(QLatin1Char('&')) ? QString() : last;
}

// "COM3" -> its description ("USB Serial Port") and, for a USB adapter,
// which one it is, from the ports the device manager lists.
QHash<QString, ReportedPort> described()
{
    QHash<QString, ReportedPort> found;
    const HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return found;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const QString name = registryText(key, L"PortName");
        RegCloseKey(key);
        if (name.isEmpty())
            continue;
        ReportedPort port;
        wchar_t text[512] = {};
        if (SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<BYTE *>(text),
                                              sizeof text - sizeof(wchar_t), nullptr))
            port.description = QString::fromWCharArray(text);
        wchar_t instance[512] = {};
        const QRegularExpressionMatch usb =
            QRegularExpression(QStringLiteral("VID_([0-9A-F]{4}).PID_([0-9A-F]{4})"), QRegularExpression::CaseInsensitiveOption)
                .match(SetupDiGetDeviceInstanceIdW(set, &device, instance, 511, nullptr) ? QString::fromWCharArray(instance)
                                                                                          : QString());
        if (usb.hasMatch()) {
            port.vendor = uint16_t(usb.captured(1).toUShort(nullptr, 16));
            port.product = uint16_t(usb.captured(2).toUShort(nullptr, 16));
            port.serialNumber = serialIn(QString::fromWCharArray(instance));
        }
        found.insert(name.toUpper(), port);
    }
    SetupDiDestroyDeviceInfoList(set);
    return found;
}
} // namespace

QString DefaultPortDevice(int16_t port)
{
    return QStringLiteral("COM%1").arg(port);
}

// A COM name is the port's one name: nothing to resolve.
QString OpenedDevice(const QString &name)
{
    return name;
}

std::vector<ReportedPort> SystemPorts()
{
    std::vector<ReportedPort> ports;
    HKEY map = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map) != ERROR_SUCCESS)
        return ports;
    const QHash<QString, ReportedPort> known = described();
    for (DWORD i = 0;; ++i) {
        wchar_t value[256];
        DWORD length = 255;
        if (RegEnumValueW(map, i, value, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        value[length] = 0;
        const QString name = registryText(map, value);
        if (name.isEmpty())
            continue;
        ReportedPort port = known.value(name.toUpper());
        port.name = name;
        port.location = QStringLiteral("\\\\.\\") + name;
        ports.push_back(port);
    }
    RegCloseKey(map);
    return ports;
}

} // namespace modLumentorMGW

// Windows' serial port facts: COMn is COMn, and the system's ports are the
// registry's SERIALCOMM map (what every serial driver, Wine's too, enters),
// described by the device manager where it knows them.
#include "link/PortDevice.h"
#include "link/SystemPorts.h"

#include <QHash>

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

// "COM3" -> "USB Serial Port", from the ports the device manager lists.
QHash<QString, QString> descriptions()
{
    QHash<QString, QString> found;
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
        wchar_t text[256] = {};
        if (!name.isEmpty()
            && SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_DEVICEDESC, nullptr,
                                                 reinterpret_cast<BYTE *>(text), sizeof text - sizeof(wchar_t),
                                                 nullptr))
            found.insert(name.toUpper(), QString::fromWCharArray(text));
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
    const QHash<QString, QString> described = descriptions();
    for (DWORD i = 0;; ++i) {
        wchar_t value[256];
        DWORD length = 255;
        if (RegEnumValueW(map, i, value, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        value[length] = 0;
        const QString name = registryText(map, value);
        if (!name.isEmpty())
            ports.push_back({name, described.value(name.toUpper()), QStringLiteral("\\\\.\\") + name});
    }
    RegCloseKey(map);
    return ports;
}

} // namespace modLumentorMGW

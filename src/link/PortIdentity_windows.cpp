// A port's device from the device manager's records: the ports class
// device whose PortName is the COM name, its friendly name, maker and
// service, and the FTDI driver's LatencyTimer in the device's parameters
// (the key the device manager's Advanced page sets). Which adapter it is,
// the port list says (Ports_windows.cpp).
#include "link/PortIdentity.h"

#include <windows.h>
#include <devguid.h>
#include <setupapi.h>

namespace modLumentorMGW {

namespace {
QString Property(HDEVINFO set, SP_DEVINFO_DATA *data, DWORD property)
{
    wchar_t buffer[1024] = {};
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, data, property, &type, reinterpret_cast<BYTE *>(buffer),
                                           sizeof buffer - sizeof(wchar_t), nullptr))
        return QString();
    return QString::fromWCharArray(buffer); // a multi-string's first entry
}
} // namespace

void SetSysfsRoot(const QString &) {}

PortIdentity IdentifyDevice(const QString &device)
{
    PortIdentity id;
    id.device = device;
    id.kind = QStringLiteral("serial port");
    QString com = device;
    com.remove(QStringLiteral("\\\\.\\"));
    HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return id;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &data); ++i) {
        HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        wchar_t name[64] = {};
        DWORD size = sizeof name - sizeof(wchar_t);
        const bool found = RegQueryValueExW(key, L"PortName", nullptr, nullptr, reinterpret_cast<BYTE *>(name), &size)
                               == ERROR_SUCCESS
                           && com.compare(QString::fromWCharArray(name), Qt::CaseInsensitive) == 0;
        DWORD timer = 0;
        size = sizeof timer;
        const bool hasTimer = found
                              && RegQueryValueExW(key, L"LatencyTimer", nullptr, nullptr,
                                                  reinterpret_cast<BYTE *>(&timer), &size)
                                     == ERROR_SUCCESS;
        RegCloseKey(key);
        if (!found)
            continue;
        id.kind = QStringLiteral("built-in port"); // a USB adapter's ids make it one (IdentifyPort)
        id.product = Property(set, &data, SPDRP_FRIENDLYNAME);
        id.maker = Property(set, &data, SPDRP_MFG);
        id.driver = Property(set, &data, SPDRP_SERVICE);
        if (hasTimer) {
            id.latencyTimerMs = int(timer);
            id.latencyHowTo = QStringLiteral("in the Device Manager: Ports (COM & LPT) > %1 > Properties > Port Settings > "
                                             "Advanced > Latency Timer (msec): 1 (needs administrator rights)")
                                  .arg(id.product.isEmpty() ? com : id.product);
        }
        break;
    }
    SetupDiDestroyDeviceInfoList(set);
    return id;
}

} // namespace modLumentorMGW

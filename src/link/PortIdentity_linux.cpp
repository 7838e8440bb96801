// A port's identity from sysfs: /sys/class/tty/NAME/device leads to the
// driver and, up the device tree, to the USB device with its ids and names.
#include "link/PortIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace modLumentorMGW {

namespace {
QString &SysfsRoot()
{
    static QString root = QStringLiteral("/sys");
    return root;
}

QString ReadLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readLine(256)).trimmed();
}
} // namespace

void SetSysfsRoot(const QString &root)
{
    SysfsRoot() = root.isEmpty() ? QStringLiteral("/sys") : root;
}

PortIdentity IdentifyDevice(const QString &device)
{
    PortIdentity id;
    const QString real = QFileInfo(device).canonicalFilePath();
    id.device = real.isEmpty() ? device : real;
    const QString name = QFileInfo(id.device).fileName();
    if (id.device.startsWith(QLatin1String("/dev/pts/")) || name == QLatin1String("ptmx")) {
        id.kind = QStringLiteral("pseudo-terminal");
        return id;
    }
    const QString tty = SysfsRoot() + QStringLiteral("/class/tty/") + name + QStringLiteral("/device");
    const QString node = QFileInfo(tty).canonicalFilePath();
    if (node.isEmpty()) {
        id.kind = QStringLiteral("serial port");
        return id;
    }
    id.driver = QFileInfo(QFileInfo(node + QStringLiteral("/driver")).canonicalFilePath()).fileName();
    const QString timer = ReadLine(node + QStringLiteral("/latency_timer"));
    bool ok = false;
    const int ms = timer.toInt(&ok);
    if (ok) {
        id.latencyTimerMs = ms;
        id.latencyHowTo = QStringLiteral(
                              "as root: echo 1 > /sys/bus/usb-serial/devices/%1/latency_timer; to keep it, a udev "
                              "rule: ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
                              "ATTR{latency_timer}=\"1\"")
                              .arg(QFileInfo(node).fileName());
    }
    // Up the tree to the USB device, the first folder with idVendor, for
    // its names (which adapter it is, the port list says: Adapter.h).
    for (QDir up(node); up.cdUp() && up.path().startsWith(SysfsRoot());) {
        if (!QFileInfo::exists(up.filePath(QStringLiteral("idVendor"))))
            continue;
        id.kind = QStringLiteral("USB adapter");
        id.maker = ReadLine(up.filePath(QStringLiteral("manufacturer")));
        id.product = ReadLine(up.filePath(QStringLiteral("product")));
        return id;
    }
    id.kind = id.driver.startsWith(QLatin1String("serial")) ? QStringLiteral("built-in port") : QStringLiteral("serial port");
    return id;
}

} // namespace modLumentorMGW

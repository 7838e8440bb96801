// Telling why a Linux serial node would not open.
#include "link/PortFailure.h"

#include <QFile>
#include <QSerialPort>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLumentorMGW {

namespace {
QString groupToJoin(const QString &device)
{
    // The node's own group when that group may use it, else Debian's.
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) == 0 && (st.st_mode & 060) == 060) {
        if (const struct group *g = ::getgrgid(st.st_gid))
            return QString::fromLocal8Bit(g->gr_name);
    }
    return QStringLiteral("dialout");
}

// QSerialPort reports both a lock held by another program and a refused
// open as a permission error: open the node ourselves to tell them apart.
PortRefusal probe(const QString &device, int qtError)
{
    const QByteArray path = QFile::encodeName(device);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return qtError == QSerialPort::PermissionError ? PortRefusal::Busy : PortRefusal::Other;
    }
    switch (errno) {
    case ENOENT: case ENOTDIR: case ENXIO: case ENODEV: case EIO:
        return PortRefusal::NoDevice;
    case EACCES: case EPERM:
        return PortRefusal::NoPermission;
    case EBUSY:
        return PortRefusal::Busy;
    default:
        return PortRefusal::Other;
    }
}
} // namespace

QString PortOpenFailure(const QString &name, int qtError, const QString &qtText)
{
    // A bare name is a node in /dev, as QSerialPort takes it.
    const QString device = name.contains(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
    const PortRefusal why = probe(device, qtError);
    return PortRefusalText(why, device, why == PortRefusal::NoPermission ? groupToJoin(device) : qtText);
}

} // namespace modLumentorMGW

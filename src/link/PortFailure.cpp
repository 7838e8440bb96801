#include "link/PortFailure.h"

#include <QFile>
#include <QSerialPort>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace modLumentorMGW {

namespace {
enum class Why { NoDevice, Busy, NoPermission, Other };

// What a refused user can do: join the node's group when its members may
// read and write it; otherwise no group helps, so say who can open it.
QString permissionAdvice(const QString &device)
{
#ifndef Q_OS_WIN
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) == 0) {
        if ((st.st_mode & 060) == 060) {
            const struct group *g = ::getgrgid(st.st_gid);
            const struct passwd *me = ::getpwuid(::geteuid());
            if (g && me)
                return QStringLiteral("join the group %1 (sudo usermod -aG %1 %2), then log out and in again.")
                    .arg(QString::fromLocal8Bit(g->gr_name), QString::fromLocal8Bit(me->pw_name));
        }
        const struct passwd *owner = ::getpwuid(st.st_uid);
        return QStringLiteral("only its owner, %1, can open it (mode %2).")
            .arg(owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(st.st_uid))
            .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    }
#else
    Q_UNUSED(device);
#endif
    return QStringLiteral("ask whoever set up the computer for access.");
}

#ifndef Q_OS_WIN
// QSerialPort reports both a lock held by another program and a refused
// open as a permission error: open the node ourselves to tell them apart.
Why probe(const QString &device, int qtError)
{
    const QByteArray path = QFile::encodeName(device);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return qtError == QSerialPort::PermissionError ? Why::Busy : Why::Other;
    }
    switch (errno) {
    case ENOENT: case ENOTDIR: case ENXIO: case ENODEV: case EIO:
        return Why::NoDevice;
    case EACCES: case EPERM:
        return Why::NoPermission;
    case EBUSY:
        return Why::Busy;
    default:
        return Why::Other;
    }
}
#else
// Windows says "access denied" for a port another program holds.
Why probe(const QString &, int qtError)
{
    if (qtError == QSerialPort::DeviceNotFoundError)
        return Why::NoDevice;
    return qtError == QSerialPort::PermissionError ? Why::Busy : Why::Other;
}
#endif
} // namespace

QString PortOpenFailure(const QString &name, int qtError, const QString &qtText)
{
#ifndef Q_OS_WIN
    // A bare name is a node in /dev, as QSerialPort takes it.
    const QString device = name.contains(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
#else
    const QString &device = name;
#endif
    switch (probe(device, qtError)) {
    case Why::NoDevice:
        return QStringLiteral("There is no device %1: plug the adapter in or choose another port.").arg(device);
    case Why::Busy:
        return QStringLiteral("%1 is busy: another program is using it. Close that program and try again.")
            .arg(device);
    case Why::NoPermission:
        return QStringLiteral("No permission to use %1: %2").arg(device, permissionAdvice(device));
    case Why::Other:
        break;
    }
    return QStringLiteral("%1: %2").arg(device, qtText);
}

} // namespace modLumentorMGW

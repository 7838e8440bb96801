// Telling why a Linux serial node would not open.
#include "link/PortFailure.h"

#include <QFile>
#include <QSerialPort>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLumentorMGW {

namespace {
// What a refused user can do: join the node's group when its members may
// read and write it; otherwise no group helps, so say who can open it.
QString permissionAdvice(const QString &device)
{
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0)
        return QStringLiteral("ask whoever set up the computer for access.");
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
    return PortRefusalText(why, device, why == PortRefusal::NoPermission ? permissionAdvice(device) : qtText);
}

} // namespace modLumentorMGW

#include "link/PortDevice.h"

#include "link/PortList.h"

#include <QFileInfo>
#include <QHash>

namespace modLumentorMGW {

namespace {
QHash<int16_t, QString> &redirections()
{
    static QHash<int16_t, QString> map;
    return map;
}
} // namespace

QString PortDevice(int16_t port)
{
    const QString redirected = redirections().value(port);
    if (!redirected.isEmpty())
        return redirected;
    if (port > ComPorts)
        return ListedPortDevice(port);
    return DefaultPortDevice(port);
}

QString DefaultPortDevice(int16_t port)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QString OpenedDevice(const QString &name)
{
#ifdef Q_OS_WIN
    return name;
#else
    if (name.isEmpty())
        return name;
    QFileInfo info(name);
    if (!info.exists() && !name.contains(QLatin1Char('/')))
        info = QFileInfo(QStringLiteral("/dev/") + name);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
#endif
}

void SetPortDevice(int16_t port, const QString &path)
{
    if (path.isEmpty())
        redirections().remove(port);
    else
        redirections().insert(port, path);
}

} // namespace modLumentorMGW

#include "link/PortDevice.h"

#include "link/PortList.h"

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

void SetPortDevice(int16_t port, const QString &path)
{
    if (path.isEmpty())
        redirections().remove(port);
    else
        redirections().insert(port, path);
}

QString PortRedirection(int16_t port)
{
    return redirections().value(port);
}

} // namespace modLumentorMGW

#include "link/PortFailure.h"

namespace modLumentorMGW {

QString PortRefusalText(PortRefusal why, const QString &device, const QString &detail)
{
    switch (why) {
    case PortRefusal::NoDevice:
        return QStringLiteral("There is no device %1: plug the adapter in or choose another port.").arg(device);
    case PortRefusal::Busy:
        return QStringLiteral("%1 is busy: another program is using it. Close that program and try again.")
            .arg(device);
    case PortRefusal::NoPermission:
        return QStringLiteral("No permission to use %1: %2").arg(device, detail);
    case PortRefusal::Other:
        break;
    }
    return QStringLiteral("%1: %2").arg(device, detail);
}

} // namespace modLumentorMGW

// Windows' default folder, on C: as the gateway's users have always had it.
#include "ui/window/DefaultFolder.h"

namespace modLumentorMGW {

QString DefaultFolder()
{
    return QStringLiteral("C:\\Arvane Lumentor Mapped Gateway");
}

} // namespace modLumentorMGW

#include "ui/window/DefaultFolder.h"

#include <QDir>

namespace modLumentorMGW {

QString DefaultFilePattern()
{
    return DefaultFolder() + QDir::separator() + QStringLiteral("*.MGW");
}

} // namespace modLumentorMGW

// Linux's default folder: "Arvane Lumentor Mapped Gateway" in the home folder.
#include "ui/window/DefaultFolder.h"

#include <QDir>

namespace modLumentorMGW {

QString DefaultFolder()
{
    return QDir(QDir::homePath()).filePath(QStringLiteral("Arvane Lumentor Mapped Gateway"));
}

} // namespace modLumentorMGW

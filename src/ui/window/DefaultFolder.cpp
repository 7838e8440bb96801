#include "ui/window/DefaultFolder.h"

#include <QDir>

namespace modLumentorMGW {

namespace {
const QString FolderName = QStringLiteral("Arvane Lumentor Mapped Gateway");
}

QString DefaultFolder()
{
#ifdef Q_OS_WIN
    const QString base = QStringLiteral("C:/");
#else
    const QString base = QDir::homePath();
#endif
    return QDir::toNativeSeparators(QDir(base).filePath(FolderName));
}

QString DefaultFilePattern()
{
    return DefaultFolder() + QDir::separator() + QStringLiteral("*.MGW");
}

} // namespace modLumentorMGW

#include "image/RecoveryFolder.h"

#include "image/StateFolder.h"

#include <QDir>
#include <QFileInfo>

namespace modLumentorMGW {

QString RecoveryFolder()
{
    return QDir(StateFolder()).filePath(QStringLiteral("Recovery"));
}

bool MakeFolder(const QString &path, QString *why)
{
    if (QDir().mkpath(path))
        return true;
    // Qt keeps no cause: the nearest part of the path that exists tells it.
    QFileInfo at(QDir::cleanPath(QDir(path).absolutePath()));
    while (!at.exists() && !at.isRoot() && at.filePath() != at.path())
        at.setFile(at.path());
    if (at.exists() && !at.isDir())
        *why = QStringLiteral("%1 is a file, not a folder").arg(at.filePath());
    else if (at.exists() && !at.isWritable())
        *why = QStringLiteral("%1 cannot be written (Permission denied)").arg(at.filePath());
    else
        *why = QStringLiteral("%1 cannot be made").arg(path);
    return false;
}

} // namespace modLumentorMGW

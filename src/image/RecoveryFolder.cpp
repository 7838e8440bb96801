#include "image/RecoveryFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace modLumentorMGW {

QString RecoveryFolder()
{
#ifdef Q_OS_WIN
    const QString state = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#else
    // Qt names no state folder before 6.7; the XDG rule: an absolute
    // $XDG_STATE_HOME, else ~/.local/state.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
#endif
    return QDir(state).filePath(QStringLiteral("LumentorMGW/Recovery"));
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

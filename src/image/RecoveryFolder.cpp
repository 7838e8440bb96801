#include "image/RecoveryFolder.h"

#include <QDir>
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

} // namespace modLumentorMGW

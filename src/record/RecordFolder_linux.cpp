#include "record/RecordFile.h"

#include <QDir>

namespace modLumentorMGW {

// Qt names no state folder before 6.7; the XDG rule: an absolute
// $XDG_STATE_HOME, else ~/.local/state.
QString DefaultRecordPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir(state).filePath(QStringLiteral("LumentorMGW/record.jsonl"));
}

} // namespace modLumentorMGW

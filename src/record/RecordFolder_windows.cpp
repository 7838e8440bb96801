#include "record/RecordFile.h"

#include <QDir>
#include <QStandardPaths>

namespace modLumentorMGW {

// %LOCALAPPDATA%, as Qt's generic data location is on Windows.
QString DefaultRecordPath()
{
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(local).filePath(QStringLiteral("LumentorMGW/record.jsonl"));
}

} // namespace modLumentorMGW

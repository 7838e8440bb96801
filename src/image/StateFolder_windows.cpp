#include "image/StateFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace modLumentorMGW {

// %LOCALAPPDATA%, as Qt's generic data location is on Windows.
QString StateFolder()
{
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(local).filePath(QStringLiteral("LumentorMGW"));
}

} // namespace modLumentorMGW

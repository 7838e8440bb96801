#include "image/FileKind.h"

#include <QFileInfo>


namespace modLumentorMGW {

namespace {
bool refuse(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

bool refuseKind(FileKind kind, QString *reason)
{
    return refuse(reason, kind == FileKind::Folder ? QStringLiteral("It is a folder.")
                                                   : QStringLiteral("It is not a regular file."));
}
} // namespace

FileKind KindOf(const QString &path)
{
    if (path.isEmpty())
        return FileKind::None;
    const QFileInfo info(path);
    if (!info.exists())
        return FileKind::None;
    return info.isDir() ? FileKind::Folder : info.isFile() ? FileKind::Regular : FileKind::Other;
}

bool RegularOrNew(const QString &path, QString *reason)
{
    const FileKind kind = KindOf(path);
    return kind == FileKind::None || kind == FileKind::Regular || refuseKind(kind, reason);
}

bool RegularToRead(const QString &path, QString *reason)
{
    const FileKind kind = KindOf(path);
    if (kind == FileKind::None)
        return refuse(reason, QStringLiteral("No such file or directory"));
    return kind == FileKind::Regular || refuseKind(kind, reason);
}

} // namespace modLumentorMGW

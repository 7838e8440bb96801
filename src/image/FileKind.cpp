#include "image/FileKind.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

// A hard link has a name of its own, so only the device and inode tell;
// elsewhere the resolved paths, which carry the file's own letter case.
bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#else
    const QString real = QFileInfo(a).canonicalFilePath();
    return !real.isEmpty() && real.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace modLumentorMGW

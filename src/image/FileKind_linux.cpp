#include "image/FileKind.h"

#include <QFile>

#include <sys/stat.h>

namespace modLumentorMGW {

// A hard link has a name of its own, so only the device and inode tell.
bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace modLumentorMGW

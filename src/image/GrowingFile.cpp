#include "image/GrowingFile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace modLumentorMGW {

bool GrowingFile::Begin(const QString &path, QString *reason)
{
    file_.setFileName(path);
    if (QFileInfo(path).isDir()) {
        *reason = QStringLiteral("it is a folder");
        return false;
    }
    // Unbuffered: each line reaches the system as it is written.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        *reason = file_.errorString();
        return false;
    }
    return true;
}

bool GrowingFile::Append(const QByteArray &bytes)
{
    if (!file_.isOpen())
        return false;
    if (file_.write(bytes) == bytes.size())
        return true;
    failure_ = file_.errorString();
    file_.close();
    return false;
}

bool SameFile(const QString &path, const QString &other)
{
    if (path.isEmpty() || other.isEmpty())
        return false;
    if (QFileInfo(path).absoluteFilePath().compare(QFileInfo(other).absoluteFilePath(), Qt::CaseInsensitive) == 0)
        return true;
#ifdef Q_OS_UNIX
    struct stat a {}, b {};
    return ::stat(QFile::encodeName(path).constData(), &a) == 0 && ::stat(QFile::encodeName(other).constData(), &b) == 0
           && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#else
    const QString real = QFileInfo(path).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(other).canonicalFilePath();
#endif
}

} // namespace modLumentorMGW

#include "image/GrowingFile.h"

#include "image/FileKind.h"

namespace modLumentorMGW {

bool GrowingFile::Begin(const QString &path, QString *reason)
{
    file_.setFileName(path);
    if (!RegularOrNew(path, reason))
        return false;
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

} // namespace modLumentorMGW

#include "image/WholeFile.h"

#include "image/FileKind.h"

#include <QSaveFile>
#include <QTemporaryFile>

namespace modLumentorMGW {

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason, Synced synced)
{
    return WholeFile(path).Commit(bytes, reason, synced);
}

WholeFile::WholeFile(const QString &path) : path_(path) {}

bool WholeFile::Open(QString *reason)
{
    open_ = false;
    // A device, a FIFO or a socket keeps its name: replaced, it would be
    // gone for everyone; written in place, a FIFO would block.
    return RegularOrNew(path_, reason) && OpenNew(reason);
}

} // namespace modLumentorMGW

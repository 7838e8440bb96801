// The one file writer on Windows: a new file beside the old one, moved
// over it synced.
#include "image/WholeFile.h"

#include "image/FileCalls.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

namespace modLumentorMGW {

namespace {
bool fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}
} // namespace

WholeFile::~WholeFile()
{
    if (save_)
        save_->cancelWriting(); // the new file goes, the old one stays
}

bool WholeFile::OpenNew(QString *reason)
{
    // A new file beside the old one, removed unless it takes the name.
    temp_ = std::make_unique<QTemporaryFile>(path_ + QStringLiteral(".XXXXXX"));
    if (temp_->open())
        return open_ = true;
    const QString why = temp_->errorString();
    temp_.reset();
    return fail(reason, why);
}

bool WholeFile::Reserve(qint64 size, QString *reason)
{
    if (!Open(reason))
        return false;
    if (temp_->write(QByteArray(size, '\0')) == size && temp_->flush() && temp_->seek(0))
        return true;
    const QString why = temp_->errorString();
    temp_.reset();
    open_ = false;
    return fail(reason, why);
}

bool WholeFile::Commit(const QByteArray &bytes, QString *reason, Synced synced)
{
    if (!open_ && !Open(reason))
        return false;
    open_ = false;
    // Synced whatever `synced` says: Qt's own replace on Windows syncs
    // nothing, and the move's write-through is the folder's sync.
    Q_UNUSED(synced)
    QString why;
    if (!temp_->seek(0) || temp_->write(bytes) != bytes.size() || !temp_->resize(bytes.size()) || !temp_->flush())
        why = temp_->errorString();
    // A temporary file's close() keeps its handle, which shares no
    // deletion and would refuse the flush's handle and the move: the
    // handle goes first, and the file is removed here when it stays behind.
    const QString written = temp_->fileName();
    temp_->setAutoRemove(false);
    temp_.reset();
    if (why.isEmpty() && filecalls::MoveSynced(written, path_, &why))
        return true;
    QFile::remove(written);
    return fail(reason, why);
}

} // namespace modLumentorMGW

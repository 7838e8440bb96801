#include "image/WholeFile.h"

#include "image/FileCalls.h"
#include "image/FileKind.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace modLumentorMGW {

namespace {
bool fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

using namespace filecalls;
#ifdef Q_OS_UNIX

bool failWith(QString *reason, int error)
{
    return fail(reason, Reason(error));
}
#endif
} // namespace

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason, Synced synced)
{
    return WholeFile(path).Commit(bytes, reason, synced);
}

WholeFile::WholeFile(const QString &path) : path_(path) {}

WholeFile::~WholeFile()
{
#ifdef Q_OS_UNIX
    if (inPlace_ >= 0)
        ::close(inPlace_);
#endif
    if (save_)
        save_->cancelWriting(); // the new file goes, the old one stays
}

bool WholeFile::Open(QString *reason)
{
    open_ = false;
    // A device, a FIFO or a socket keeps its name: replaced, it would be
    // gone for everyone; written in place, a FIFO would block.
    if (!RegularOrNew(path_, reason))
        return false;
#ifdef Q_OS_UNIX
    // Replaced atomically as the rule. In place where that would break the
    // file: a second hard link would keep the old content, a folder that
    // refuses new files would refuse a file that is itself writable. In place
    // the inode keeps its other names, owner and permissions, but a failure
    // part way leaves it damaged: only for what a replace would break.
    const QByteArray name = QFile::encodeName(path_);
    const auto inPlace = [&]() {
        save_.reset();
        inPlace_ = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
        return (open_ = inPlace_ >= 0) || failWith(reason, errno);
    };
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (exists && old.st_nlink > 1)
        return inPlace();
    // Unbuffered, so QSaveFile has nothing left to write at commit.
    save_ = std::make_unique<QSaveFile>(path_);
    save_->setDirectWriteFallback(false);
    if (!save_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int refusal = errno;
        save_.reset();
        return exists ? inPlace() : failWith(reason, refusal);
    }
    if (exists && !KeepOwner(int(save_->handle()), old)) {
        save_->cancelWriting();
        return inPlace();
    }
    return open_ = true;
#else
    // A new file beside the old one, removed unless it takes the name.
    temp_ = std::make_unique<QTemporaryFile>(path_ + QStringLiteral(".XXXXXX"));
    if (temp_->open())
        return open_ = true;
    const QString why = temp_->errorString();
    temp_.reset();
    return fail(reason, why);
#endif
}

bool WholeFile::Reserve(qint64 size, QString *reason)
{
    if (!Open(reason))
        return false;
#ifdef Q_OS_UNIX
    int error = 0;
    if (inPlace_ >= 0) {
#ifdef Q_OS_LINUX
        // Blocks for the new content without touching the old.
        if (::fallocate(inPlace_, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) != 0 && errno != EOPNOTSUPP)
            error = errno;
#endif
    } else {
        // The new file at its full size on the disk: what fills a disk or
        // passes a size limit fails here.
        const int fd = int(save_->handle());
        error = WriteAll(fd, QByteArray(size, '\0'));
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (error == 0 && ::lseek(fd, 0, SEEK_SET) != 0)
            error = errno;
    }
    if (error == 0)
        return true;
    if (inPlace_ >= 0)
        ::close(inPlace_);
    inPlace_ = -1, open_ = false;
    save_.reset();
    return failWith(reason, error);
#else
    if (temp_->write(QByteArray(size, '\0')) == size && temp_->flush() && temp_->seek(0))
        return true;
    const QString why = temp_->errorString();
    temp_.reset();
    open_ = false;
    return fail(reason, why);
#endif
}

bool WholeFile::Commit(const QByteArray &bytes, QString *reason, Synced synced)
{
    if (!open_ && !Open(reason))
        return false;
    open_ = false;
#ifdef Q_OS_UNIX
    if (inPlace_ >= 0) {
        const int fd = inPlace_;
        inPlace_ = -1;
        int error = WriteAll(fd, bytes);
        if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0)
            error = errno;
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        return error == 0 || failWith(reason, error);
    }
    const int fd = int(save_->handle());
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0) // shorter than reserved
        error = errno;
    // Qt syncs the new file before the rename, so the name never points at
    // data still in the cache, but it ignores a failure. Where the write
    // must last, a disk that fails to store the data fails the write
    // (EINVAL: the file system has nothing to sync). Each sync costs a
    // flush of the disk's cache, so a plain save keeps Qt's alone.
    if (error == 0 && synced == Synced::FileAndFolder && ::fdatasync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (error) {
        save_.reset(); // a failed write must never be committed
        return failWith(reason, error);
    }
    const bool done = save_->commit();
    const QString why = save_->errorString();
    save_.reset();
    if (done && synced == Synced::FileAndFolder)
        SyncFolderOf(QFile::encodeName(QFileInfo(path_).absoluteFilePath()));
    return done || fail(reason, why);
#else
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
#endif
}

} // namespace modLumentorMGW

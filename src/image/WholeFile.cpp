#include "image/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

#ifdef Q_OS_UNIX
bool failWith(QString *reason, int error)
{
    return fail(reason, QString::fromLocal8Bit(std::strerror(error)));
}

// Writes all of bytes at fd's position: 0, or the errno that stopped it. Qt
// loses a short write's cause ("Unknown error" on a full disk or a file
// size limit); the call that fails knows it.
int writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

// Over the file itself, without emptying it first: the same inode keeps its
// other names, its owner and its permissions. A failure part way leaves it
// damaged, so this is only for what an atomic replace would break.
bool writeInPlace(const QByteArray &name, const QByteArray &bytes, QString *reason)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failWith(reason, errno);
    int error = writeAll(fd, bytes);
    if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 || failWith(reason, error);
}

// The new file takes the old one's owner and permissions before it replaces it.
bool keepOwner(int fd, const struct stat &old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// A rename reaches the disk on its own schedule: until the folder is synced
// a power cut can bring back the old name, or none at all for a new file.
// A folder that cannot be opened or synced (some file systems) is no
// failure of the write: the file itself is in place and synced.
void syncFolderOf(const QByteArray &name)
{
    const int slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
#endif
} // namespace

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *reason, Synced synced)
{
#ifdef Q_OS_UNIX
    // Replaced atomically as the rule. In place where that would break the
    // file: a second hard link would keep the old content, and a folder that
    // refuses new files would refuse a file that is itself writable.
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (exists && old.st_nlink > 1)
        return writeInPlace(name, bytes, reason);
    // Unbuffered, so QSaveFile has nothing left to write at commit.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int refusal = errno;
        return exists ? writeInPlace(name, bytes, reason) : failWith(reason, refusal);
    }
    if (exists && !keepOwner(int(file.handle()), old)) {
        file.cancelWriting();
        return writeInPlace(name, bytes, reason);
    }
    if (const int error = writeAll(int(file.handle()), bytes)) {
        file.cancelWriting(); // a failed write must not be committed by the destructor
        return failWith(reason, error);
    }
    // Qt syncs the new file before the rename, so the name never points at
    // data still in the cache, but it ignores a failure. Where the write
    // must last, a disk that fails to store the data fails the write
    // (EINVAL: the file system has nothing to sync). Each sync costs a
    // flush of the disk's cache, so a plain save keeps Qt's alone.
    if (synced == Synced::FileAndFolder && ::fdatasync(int(file.handle())) != 0 && errno != EINVAL) {
        const int error = errno;
        file.cancelWriting();
        return failWith(reason, error);
    }
    if (!file.commit())
        return fail(reason, file.errorString());
    if (synced == Synced::FileAndFolder)
        syncFolderOf(QFile::encodeName(QFileInfo(path).absoluteFilePath()));
    return true;
#else
    Q_UNUSED(synced) // the system's own replace is as far as this goes
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    file.cancelWriting();
    return fail(reason, file.errorString());
#endif
}

} // namespace modLumentorMGW

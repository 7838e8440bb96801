#include "image/FileCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLumentorMGW::filecalls {

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Qt loses a short write's cause ("Unknown error" on a full disk or a file
// size limit); the call that fails knows it.
int WriteAll(int fd, const QByteArray &bytes)
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

bool KeepOwner(int fd, const struct stat &old)
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
void SyncFolderOf(const QByteArray &name)
{
    const int slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace modLumentorMGW::filecalls

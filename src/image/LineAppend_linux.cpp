// Appending one line to a shared file on Linux: O_APPEND and flock, so
// processes that append at once each land their line whole.
#include "image/WholeFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace modLumentorMGW {

namespace {
bool Fail(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

QString Errno()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The first line, as far as the first 4096 bytes hold it.
QByteArray FirstLine(int fd)
{
    char buffer[4096];
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, 0);
    if (got <= 0)
        return QByteArray();
    const QByteArray head(buffer, int(got));
    const int end = head.indexOf('\n');
    return end < 0 ? head : head.left(end);
}

// Lock and descriptor released on every way out.
struct Held
{
    int fd = -1;
    ~Held()
    {
        if (fd >= 0) {
            ::flock(fd, LOCK_UN);
            ::close(fd);
        }
    }
};
} // namespace

bool AppendWholeLine(const QString &path, const QByteArray &line,
                     const std::function<bool(const QByteArray &, QString *)> &check, QString *reason)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    // A FIFO or a device is never opened: opening one can block or act.
    if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return Fail(reason, S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file"));
    Held held;
    held.fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (held.fd < 0)
        return Fail(reason, Errno());
    if (::fstat(held.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return Fail(reason, QStringLiteral("it is not a regular file"));
    if (::flock(held.fd, LOCK_EX) != 0)
        return Fail(reason, Errno());
    if (::fstat(held.fd, &st) != 0)
        return Fail(reason, Errno());
    if (check && !check(FirstLine(held.fd), reason))
        return false;
    QByteArray bytes = line;
    char last = '\n';
    if (st.st_size > 0 && ::pread(held.fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
        bytes.prepend('\n');
    const ssize_t wrote = ::write(held.fd, bytes.constData(), size_t(bytes.size()));
    if (wrote != ssize_t(bytes.size())) {
        const QString why = wrote < 0 ? Errno() : QStringLiteral("only part of the line could be written");
        // Take back a part written, so the file ends where it did.
        if (wrote > 0 && ::ftruncate(held.fd, st.st_size) != 0)
            ::fdatasync(held.fd);
        return Fail(reason, why);
    }
    if (::fdatasync(held.fd) != 0)
        return Fail(reason, Errno());
    return true;
}

} // namespace modLumentorMGW

#include "gatesim/Pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace gatesim {

namespace {
bool Fail(std::string *error, const char *what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
    return false;
}

// Characters waiting to be read on fd; 0 for a closed end.
int Waiting(int fd)
{
    int count = 0;
    if (fd < 0 || ::ioctl(fd, FIONREAD, &count) != 0)
        return 0;
    return count;
}
} // namespace

bool Pty::Open(std::string *error)
{
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        return Fail(error, "posix_openpt");
    char name[128] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        Fail(error, "pseudo-terminal set-up");
        Close();
        return false;
    }
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        Fail(error, name);
        Close();
        return false;
    }
    termios tio {};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B38400);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    path_ = name;
    return true;
}

void Pty::Close()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

int Pty::Unread() const
{
    return Waiting(slave_);
}

int Pty::Unserved() const
{
    return Waiting(master_);
}

long Pty::Fill()
{
    if (slave_ < 0)
        return 0;
    const int flags = fcntl(slave_, F_GETFL);
    fcntl(slave_, F_SETFL, flags | O_NONBLOCK);
    const std::string filler(4096, '.');
    long written = 0;
    ssize_t n = 0;
    while ((n = ::write(slave_, filler.data(), filler.size())) > 0)
        written += n;
    fcntl(slave_, F_SETFL, flags);
    return written;
}

} // namespace gatesim

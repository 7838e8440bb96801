#include "link/LowLatency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace modLumentorMGW {

namespace {
int SystemIoctl(int fd, unsigned long request, void *argument)
{
    return ::ioctl(fd, request, argument);
}

SerialIoctl installed = nullptr;

int Call(int fd, unsigned long request, serial_struct *settings)
{
    return (installed ? installed : SystemIoctl)(fd, request, settings);
}
} // namespace

SerialIoctl SetSerialIoctl(SerialIoctl calls)
{
    const SerialIoctl previous = installed;
    installed = calls;
    return previous;
}

void LowLatency::Ask(int fd)
{
    serial_struct settings{};
    if (fd < 0 || Call(fd, TIOCGSERIAL, &settings) != 0) {
        state_ = QStringLiteral("not taken by the driver");
        return;
    }
    if (settings.flags & ASYNC_LOW_LATENCY) {
        state_ = QStringLiteral("in effect (already set)");
        return;
    }
    settings.flags |= ASYNC_LOW_LATENCY;
    if (Call(fd, TIOCSSERIAL, &settings) != 0) {
        state_ = QStringLiteral("not taken by the driver");
        return;
    }
    fd_ = fd;
    changed_ = true;
    state_ = QStringLiteral("in effect (asked)");
}

void LowLatency::GiveBack()
{
    if (!changed_)
        return;
    changed_ = false;
    // Read again: the rest of the settings may have moved while open.
    serial_struct settings{};
    if (Call(fd_, TIOCGSERIAL, &settings) != 0)
        return;
    settings.flags &= ~ASYNC_LOW_LATENCY;
    Call(fd_, TIOCSSERIAL, &settings);
}

} // namespace modLumentorMGW

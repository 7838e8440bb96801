#pragma once
// Asking a Linux serial driver for low latency on opening (the serial
// settings' ASYNC_LOW_LATENCY: FTDI adapters then hand a short reply over
// after 1 ms instead of their 16 ms timer) and giving the driver its
// previous setting back on closing. A driver or pseudo-terminal that
// refuses is fine: nothing is said, the port works as before.
#include <QString>

namespace modLumentorMGW {

// The driver calls, ioctl(2) unless a test installs its own; returns the one
// it replaces (nullptr: the real one was in place).
using SerialIoctl = int (*)(int fd, unsigned long request, void *argument);
SerialIoctl SetSerialIoctl(SerialIoctl calls);

class LowLatency
{
public:
    // Reads the serial settings of fd and sets the flag when it is not set.
    void Ask(int fd);
    // Clears the flag again when Ask set it; fd must still be open.
    void GiveBack();
    // "in effect (asked)", "in effect (already set)", "not taken by the driver".
    QString State() const { return state_; }

private:
    int fd_ = -1;
    bool changed_ = false;
    QString state_ = QStringLiteral("not asked");
};

} // namespace modLumentorMGW

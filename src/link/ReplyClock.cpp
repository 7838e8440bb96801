#include "link/ReplyClock.h"

#include "link/MSComm.h"

#include <QElapsedTimer>

namespace modLumentorMGW {

namespace {
class RealClock : public ReplyClock
{
public:
    void Restart() override { timer_.start(); }
    int32_t Elapsed() override { return int32_t(timer_.elapsed()); }
    Waited Wait(MSComm &port, PortWait what, int32_t msecs) override { return port.Wait(what, msecs); }

private:
    QElapsedTimer timer_;
};

RealClock realClock;
ReplyClock *installed = nullptr;
} // namespace

ReplyClock &ReplyClockInUse()
{
    return installed ? *installed : realClock;
}

ReplyClock *SetReplyClock(ReplyClock *clock)
{
    ReplyClock *previous = installed;
    installed = clock;
    return previous;
}

} // namespace modLumentorMGW

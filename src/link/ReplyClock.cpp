#include "link/ReplyClock.h"

#include "link/MSComm.h"

#include <QElapsedTimer>

#include <algorithm>

namespace modLumentorMGW {

namespace {
constexpr int32_t BreakSliceMs = 50;

class RealClock : public ReplyClock
{
public:
    void Restart() override { timer_.start(); }
    int32_t Elapsed() override { return int32_t(timer_.elapsed()); }
    // In slices, so that a break is noticed within BreakSliceMs.
    Waited Wait(MSComm &port, PortWait what, int32_t msecs) override
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            if (WaitBreakAsked())
                return Waited::Failed;
            const int32_t left = msecs - int32_t(waited.elapsed());
            const Waited news = port.Wait(what, std::min(std::max(left, 0), BreakSliceMs));
            if (news != Waited::TimedOut || left <= BreakSliceMs)
                return news;
        }
    }

private:
    QElapsedTimer timer_;
};

RealClock realClock;
ReplyClock *installed = nullptr;
WaitBreaker breaker = nullptr;
} // namespace

WaitBreaker SetWaitBreaker(WaitBreaker next)
{
    const WaitBreaker previous = breaker;
    breaker = next;
    return previous;
}

bool WaitBreakAsked()
{
    return breaker && breaker();
}

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

#pragma once
// The clock a transaction times its reply with, and the waits in the port
// that the reply's time covers. The real clock is monotonic time and sleeps
// in the device; a test may install a clock of its own, so that a silent line
// times out without the time really passing. The port still carries every byte.
#include <cstdint>

namespace modLumentorMGW {

class MSComm;
enum class PortWait;
enum class Waited;

class ReplyClock
{
public:
    virtual ~ReplyClock() = default;
    virtual void Restart() = 0;
    virtual int32_t Elapsed() = 0;
    // Sleeps in the port until it has news of `what` or msecs pass on this clock.
    virtual Waited Wait(MSComm &port, PortWait what, int32_t msecs) = 0;
};

// Asked while the real clock waits in the port, at least every 50 ms: true
// ends the wait at once as a failure (Ctrl+C in mgw). None is installed at
// first: the window's Cancel acts between blocks.
using WaitBreaker = bool (*)();
// Installs breaker (nullptr: none) and returns the one it replaces.
WaitBreaker SetWaitBreaker(WaitBreaker breaker);
// True when the installed breaker asks waits to end.
bool WaitBreakAsked();

// The clock transactions use now.
ReplyClock &ReplyClockInUse();

// Installs `clock` (nullptr: the real one again) and returns the one it
// replaces, or nullptr when that was the real one.
ReplyClock *SetReplyClock(ReplyClock *clock);

} // namespace modLumentorMGW

#pragma once
// While it lives, transactions time their replies on a clock the test
// drives. Time stands still while the line moves; once the gateway is quiet
// (nothing more will come unless time passes) a wait runs to its end at
// once, so a silent gateway or a stalled line is a time-out in no real time.
// The port and the simulator still carry every byte.
#include "gatesim/GateSim.h"
#include "link/MSComm.h"
#include "link/ReplyClock.h"

#include <functional>
#include <utility>

class DrivenClock : public modLumentorMGW::ReplyClock {
public:
    // The gateway is quiet when it is idle: nothing more is coming.
    explicit DrivenClock(const gatesim::GateSim &sim) : sim_(sim), previous_(modLumentorMGW::SetReplyClock(this)) {}
    ~DrivenClock() override { modLumentorMGW::SetReplyClock(previous_); }
    DrivenClock(const DrivenClock &) = delete;
    DrivenClock &operator=(const DrivenClock &) = delete;

    void Restart() override { start_ = now_; }
    int32_t Elapsed() override { return now_ - start_; }
    // Time since the clock was installed.
    int32_t Now() const { return now_; }

    // Input from now on is seen when the clock reads `ms` since its restart.
    void SeeInputAt(int32_t ms) { inputAt_ = ms; }
    // `action` runs once when the clock reaches Now() == ms, a time still to
    // come; a wait that would run past it ends there.
    void At(int32_t ms, std::function<void()> action) { actionAt_ = ms; action_ = std::move(action); }
    // How long the line must be quiet before a wait runs to its end (200 ms
    // at first). Shorter is sound only where a byte still in flight could not
    // change how the wait ends: the gateway stalled, or silent by a fault.
    void SetQuietMs(int ms) { quietSlices_ = ms / SliceMs; }

    modLumentorMGW::Waited Wait(modLumentorMGW::MSComm &port, modLumentorMGW::PortWait what, int32_t msecs) override
    {
        using modLumentorMGW::Waited;
        // Quiet around a few real slices with no news: nothing is in flight,
        // not even bytes the kernel has yet to hand from one end of the line
        // to the other.
        for (int quietSlices = 0; quietSlices < quietSlices_;) {
            const bool quietBefore = sim_.Idle();
            const Waited waited = port.Wait(what, SliceMs);
            if (waited == Waited::Progress && what == modLumentorMGW::PortWait::Input && inputAt_ >= 0)
                now_ = start_ + inputAt_;
            if (waited != Waited::TimedOut)
                return waited;
            quietSlices = quietBefore && sim_.Idle() ? quietSlices + 1 : 0;
        }
        if (action_ && now_ + msecs >= actionAt_) {
            now_ = actionAt_;
            std::exchange(action_, nullptr)();
            return Waited::TimedOut;
        }
        now_ += msecs;
        return Waited::TimedOut;
    }

private:
    // A loaded machine may hold bytes between the two ends of a
    // pseudo-terminal for tens of milliseconds: quiet means quiet for 200.
    static constexpr int SliceMs = 20;
    int quietSlices_ = 10;
    const gatesim::GateSim &sim_;
    modLumentorMGW::ReplyClock *previous_;
    int32_t now_ = 0;
    int32_t start_ = 0;
    int32_t inputAt_ = -1;
    int32_t actionAt_ = 0;
    std::function<void()> action_;
};

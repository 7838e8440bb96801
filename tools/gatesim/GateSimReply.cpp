// The simulator's replies on their way out: spoiled as planned, paced to
// the line's rate, cut short by Stop or Disconnect.
#include "gatesim/GateSim.h"

#include "gatesim/ReplyPlan.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace gatesim {

namespace {
// One character at 38400 baud with start and stop bits.
constexpr std::chrono::nanoseconds CharTime(1000000000LL * 10 / 38400);
// Paced output goes out in bursts, as from a receive FIFO.
constexpr size_t Burst = 8;
} // namespace

void GateSim::Reply(const std::string &command, const std::string &frame, Clock::time_point firstByte)
{
    std::string payload;
    if (!gateway_.Answer(command, &payload))
        return;
    Fault fault;
    const bool faulty = TakeFault(command, &fault);
    ReplyPlan plan = PlanReply(payload, faulty ? &fault : nullptr);
    SpoilForLine(lineMode_, &plan);
    if (plan.vanish) {
        returnMs_ = fault.returnMs;
        CloseLine();
    }
    if (plan.silent)
        return;

    Clock::time_point start = Clock::now();
    if (plan.delayMs >= 0)
        start += std::chrono::milliseconds(plan.delayMs);
    else if (pacing_) // the gateway has the frame only once its last character is in
        start = std::max(start, firstByte + CharTime * int64_t(frame.size()));
    if (!PauseUntil(start))
        return;
    Trace("-> " + plan.bytes);
    if (adapterMs_ > 0 && plan.pieces == 1) {
        SendThroughAdapter(plan.bytes, start);
        return;
    }
    const size_t piece = (plan.bytes.size() + size_t(plan.pieces) - 1) / size_t(plan.pieces);
    for (size_t i = 0; i < plan.bytes.size(); i += piece) {
        if (i > 0 && !PauseUntil(Clock::now() + std::chrono::milliseconds(plan.gapMs)))
            return;
        if (!SendBytes(plan.bytes.substr(i, piece), i == 0 ? start : Clock::now()))
            return;
    }
}

bool GateSim::SendBytes(const std::string &bytes, Clock::time_point from)
{
    if (!pacing_)
        return WriteAll(bytes);
    Clock::time_point due = from;
    for (size_t i = 0; i < bytes.size(); i += Burst) {
        const std::string burst = bytes.substr(i, Burst);
        due += CharTime * int64_t(burst.size());
        if (!PauseUntil(due) || !WriteAll(burst))
            return false;
    }
    return true;
}

bool GateSim::SendThroughAdapter(const std::string &bytes, Clock::time_point start)
{
    constexpr size_t Packet = 62; // a 64-byte USB packet less the chip's two status bytes
    // When character i has reached the chip.
    const auto reached = [&](size_t i) { return pacing_ ? start + CharTime * int64_t(i + 1) : start; };
    size_t at = 0;
    for (; at + Packet <= bytes.size(); at += Packet) {
        if (!PauseUntil(reached(at + Packet - 1)) || !WriteAll(bytes.substr(at, Packet)))
            return false;
    }
    if (at == bytes.size())
        return true;
    const Clock::time_point due = std::max(reached(at) + std::chrono::milliseconds(adapterMs_.load()),
                                           reached(bytes.size() - 1));
    return PauseUntil(due) && WriteAll(bytes.substr(at));
}

bool GateSim::WriteAll(const std::string &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        if (stop_ || disconnect_ || !pty_.IsOpen())
            return false;
        const ssize_t n = ::write(pty_.Master(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += size_t(n);
        } else if (n < 0 && errno == EAGAIN) {
            // The program is not reading: wait for room or a wake-up.
            pollfd fds[2] = {{pty_.Master(), POLLOUT, 0}, {wake_[0], POLLIN, 0}};
            ::poll(fds, 2, -1);
            if (fds[1].revents)
                DrainWake();
        } else if (!(n < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

// Sleeps until `when`, cut short by Stop or Disconnect (then false).
bool GateSim::PauseUntil(Clock::time_point when)
{
    for (;;) {
        if (stop_ || disconnect_)
            return false;
        const auto left = when - Clock::now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec ts {time_t(ns / 1000000000), long(ns % 1000000000)};
        pollfd fd {wake_[0], POLLIN, 0};
        if (::ppoll(&fd, 1, &ts, nullptr) > 0)
            DrainWake();
    }
}

void GateSim::DrainWake()
{
    char sink[64];
    while (::read(wake_[0], sink, sizeof sink) > 0) {
    }
}

} // namespace gatesim

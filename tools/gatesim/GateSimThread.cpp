// The simulator's own thread: reading frames, answering them, pacing and
// spoiling the replies.
#include "gatesim/GateSim.h"

#include "gatesim/Codec.h"
#include "gatesim/ReplyPlan.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace gatesim {

namespace {
// One character at 38400 baud with start and stop bits.
constexpr std::chrono::nanoseconds CharTime(1000000000LL * 10 / 38400);
// Paced output goes out in bursts, as from a receive FIFO.
constexpr size_t Burst = 8;
// Longer runs without a closing "]" are noise, not a frame.
constexpr size_t MaxFrame = 4096;

void Drain(int fd)
{
    char sink[64];
    while (::read(fd, sink, sizeof sink) > 0) {
    }
}
} // namespace

void GateSim::Run()
{
#ifdef __linux__
    // Paced output sleeps to the character; the default 50 us of timer
    // slack on every sleep would stretch the line.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    while (!stop_ && pty_.IsOpen() && Serve()) {
    }
}

// One round: pending injections, then wait for input or a wake-up.
bool GateSim::Serve()
{
    if (disconnect_) {
        CloseLine();
        return false;
    }
    std::deque<std::string> injected;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        injected.swap(injected_);
    }
    for (const std::string &bytes : injected) {
        if (!SendBytes(bytes))
            return true; // stopping or disconnecting: the next round sees it
    }
    pollfd fds[2] = {{pty_.Master(), short(stalled_ ? 0 : POLLIN), 0}, {wake_[0], POLLIN, 0}};
    busy_ = false;
    const int polled = ::poll(fds, 2, -1);
    busy_ = true;
    if (polled < 0)
        return errno == EINTR;
    if (fds[1].revents)
        Drain(wake_[0]);
    if (fds[0].revents & POLLIN) {
        char buffer[4096];
        const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
        if (n > 0)
            Feed(buffer, size_t(n));
    } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        CloseLine();
        return false;
    }
    return true;
}

void GateSim::Feed(const char *data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '[') {
            pending_ = "[";
            pendingStart_ = Clock::now();
        } else if (!pending_.empty()) {
            pending_ += c;
            if (pending_.size() > MaxFrame)
                pending_.clear();
        }
        if (c == ']' && !pending_.empty()) {
            const std::string frame = std::move(pending_);
            pending_.clear();
            HandleFrame(frame, pendingStart_);
            if (stop_ || disconnect_ || !pty_.IsOpen())
                return;
        }
    }
}

void GateSim::HandleFrame(const std::string &frame, Clock::time_point firstByte)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        journal_.push_back(frame);
    }
    changed_.notify_all();
    Trace("<- " + frame);
    std::string command;
    if (ParseCommandFrame(frame, &command))
        Reply(command, frame, firstByte);
    CountHandled();
}

bool GateSim::TakeFault(const std::string &command, Fault *fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (command.compare(0, it->prefix.size(), it->prefix) != 0)
            continue;
        if (it->kind == FaultKind::WrongBankSum && command.compare(0, 2, "3F") != 0)
            continue;
        if (it->kind == FaultKind::ChangedCell && command.compare(0, 2, "39") != 0)
            continue;
        *fault = *it;
        if (--it->count <= 0)
            faults_.erase(it);
        return true;
    }
    return false;
}

void GateSim::Reply(const std::string &command, const std::string &frame, Clock::time_point firstByte)
{
    std::string payload;
    if (!gateway_.Answer(command, &payload))
        return;
    Fault fault;
    const bool faulty = TakeFault(command, &fault);
    const ReplyPlan plan = PlanReply(payload, faulty ? &fault : nullptr);
    if (plan.vanish)
        CloseLine();
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
                Drain(wake_[0]);
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
            Drain(wake_[0]);
    }
}

} // namespace gatesim

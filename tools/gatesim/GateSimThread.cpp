// The simulator's own thread: reading frames and answering them.
#include "gatesim/GateSim.h"

#include "gatesim/Codec.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace gatesim {

namespace {
// Longer runs without a closing "]" are noise, not a frame.
constexpr size_t MaxFrame = 4096;
} // namespace

void GateSim::Run()
{
#ifdef __linux__
    // Paced output sleeps to the character; the default 50 us of timer
    // slack on every sleep would stretch the line.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    do {
        while (!stop_ && pty_.IsOpen() && Serve()) {
        }
    } while (Return());
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
        DrainWake();
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
    if (lineMode_ == LineMode::Echo) {
        // TX joined to RX: every character comes straight back, and no
        // gateway hears it.
        WriteAll(std::string(data, size));
        return;
    }
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
        if (it->block >= 0 && CommandBlock(command) != it->block)
            continue;
        *fault = *it;
        if (--it->count <= 0)
            faults_.erase(it);
        return true;
    }
    return false;
}

} // namespace gatesim

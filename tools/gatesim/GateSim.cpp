// The simulator as its users see it: start and stop, faults, injections,
// the journal and the waits on it.
#include "gatesim/GateSim.h"

#include <fcntl.h>
#include <unistd.h>

namespace gatesim {

bool GateSim::Start(std::string *error)
{
    if (thread_.joinable())
        return true;
    if (!pty_.Open(error))
        return false;
    if (pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        if (error)
            *error = "pipe2 failed";
        pty_.Close();
        return false;
    }
    stop_ = false;
    disconnect_ = false;
    connected_ = true;
    closed_ = false;
    busy_ = true;
    thread_ = std::thread(&GateSim::Run, this);
    return true;
}

void GateSim::Stop()
{
    if (thread_.joinable()) {
        stop_ = true;
        Wake();
        thread_.join();
    }
    CloseLine();
    if (!link_.empty())
        ::unlink(link_.c_str());
    for (int &fd : wake_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void GateSim::Disconnect(int returnAfterMs)
{
    returnMs_ = returnAfterMs;
    if (!thread_.joinable()) {
        CloseLine();
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    const size_t before = closures_;
    disconnect_ = true;
    Wake();
    changed_.wait(lock, [&] { return closures_ > before || (closed_ && !thread_.joinable()); });
}

void GateSim::CloseLine()
{
    {
        // Cleared first, so whoever sees the line drop also sees this.
        std::lock_guard<std::mutex> lock(mutex_);
        connected_ = false;
    }
    {
        std::lock_guard<std::mutex> lock(lineMutex_);
        pty_.Close();
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        ++closures_;
    }
    changed_.notify_all();
}

void GateSim::Wake()
{
    if (wake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &c, 1);
    }
}

void GateSim::ArmFault(const Fault &fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(fault);
}

void GateSim::ClearFaults()
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

void GateSim::Inject(const std::string &bytes)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        injected_.push_back(bytes);
    }
    Wake();
}

std::vector<std::string> GateSim::Journal() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return journal_;
}

void GateSim::ClearJournal()
{
    std::lock_guard<std::mutex> lock(mutex_);
    journal_.clear();
    handled_ = 0;
}

bool GateSim::WaitForJournal(size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return journal_.size() >= count; });
}

bool GateSim::WaitForUnread(int count, int timeoutMs) const
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(lineMutex_);
            if (pty_.Unread() >= count)
                return true;
        }
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool GateSim::Idle() const
{
    if (stalled_ || !connected_)
        return true;
    // Looked at in this order: whatever the simulator takes from the line or
    // the queue, it is busy before it takes it.
    {
        std::lock_guard<std::mutex> lock(lineMutex_);
        if (pty_.Unserved() > 0)
            return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!injected_.empty())
            return false;
    }
    return !busy_;
}

void GateSim::Stall(bool on)
{
    stalled_ = on;
    Wake();
    // Filled again until full: the thread may still take a last read.
    long filled = on ? 1 : 0;
    while (filled > 0) {
        {
            std::lock_guard<std::mutex> lock(lineMutex_);
            filled = pty_.Fill();
        }
        if (filled > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

size_t GateSim::Handled() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return handled_;
}

bool GateSim::WaitForHandled(size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return handled_ >= count; });
}

void GateSim::CountHandled()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++handled_;
    }
    changed_.notify_all();
}

} // namespace gatesim

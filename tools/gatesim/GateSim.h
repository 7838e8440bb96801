#pragma once
// The gateway simulator: serves the gateway's protocol on a pseudo-terminal
// from a thread of its own, so a test thread can block in a transaction
// while the simulator answers. Faults are armed out of band; every frame
// received is kept in a journal.
#include "gatesim/Fault.h"
#include "gatesim/LineFault.h"
#include "gatesim/Gateway.h"
#include "gatesim/Pty.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace gatesim {

class GateSim
{
public:
    using Clock = std::chrono::steady_clock;

    GateSim() = default;
    GateSim(const GateSim &) = delete;
    GateSim &operator=(const GateSim &) = delete;
    ~GateSim() { Stop(); }

    bool Start(std::string *error = nullptr);
    void Stop();
    const std::string &SlavePath() const { return pty_.SlavePath(); }

    // 38400 baud, 10 bits a character, in both directions.
    void SetPacing(bool on) { pacing_ = on; }
    // Replies as a USB adapter's chip hands them over: in packets of 62 as
    // they fill, a shorter tail only ms after its first character reached
    // the chip (and not before its last). 0: at once, as a plain port.
    void SetAdapterLatency(int ms) { adapterMs_ = ms; }
    // What is at the other end of the line (LineFault.h).
    void SetLineMode(LineMode mode) { lineMode_ = mode; }
    // Closes the pseudo-terminal as if the cable were pulled; with
    // returnAfterMs 0 or more a new one comes up that much later, the memory
    // kept, behind the link (SetLink) as an adapter plugged in again.
    void Disconnect(int returnAfterMs = -1);
    bool Connected() const { return connected_; }
    // Keeps a symbolic link at path to the pseudo-terminal, moved to each new
    // one; removed by Stop. False when it cannot be placed.
    bool SetLink(const std::string &path, std::string *error = nullptr);
    // How many times the line came back.
    int Returns() const { return returns_; }
    // Called on the simulator's thread with a new line's path, before the
    // link moves to it (another program that gets there first).
    void SetReturnHook(std::function<void(const std::string &)> hook) { returnHook_ = std::move(hook); }

    void ArmFault(const Fault &fault);
    void ClearFaults();
    // Bytes written to the line out of band, as soon as the line is free.
    void Inject(const std::string &bytes);

    // True when nothing more reaches the program unless time passes: every
    // character it sent has been read and dealt with, and nothing is being
    // sent, paced, delayed or waiting to go out. Always true while stalled.
    bool Idle() const;
    // Stalled, the simulator reads nothing and fills the line towards itself,
    // so the program's writes can no longer leave; unstalled, it reads again.
    void Stall(bool on);

    // Waits until the line holds at least count characters that the
    // program's port has not taken in yet (false on time-out).
    bool WaitForUnread(int count, int timeoutMs) const;

    Gateway &Memory() { return gateway_; }

    std::vector<std::string> Journal() const;
    void ClearJournal();
    bool WaitForJournal(size_t count, int timeoutMs) const;
    // Frames dealt with: answered, left silent or refused.
    size_t Handled() const;
    bool WaitForHandled(size_t count, int timeoutMs) const;

    // Called on the simulator's thread with each frame in and reply out.
    void SetTrace(std::function<void(const std::string &)> trace) { trace_ = std::move(trace); }

private:
    void Run();
    void Feed(const char *data, size_t size);
    void HandleFrame(const std::string &frame, Clock::time_point firstByte);
    void Reply(const std::string &command, const std::string &frame, Clock::time_point firstByte);
    bool TakeFault(const std::string &command, Fault *fault);
    // Paced, the characters leave at the line's rate from `from` on, so a
    // late wake-up of this thread is caught up rather than carried along.
    bool SendBytes(const std::string &bytes, Clock::time_point from = Clock::now());
    bool WriteAll(const std::string &bytes);
    bool SendThroughAdapter(const std::string &bytes, Clock::time_point start);
    bool PauseUntil(Clock::time_point when);
    bool Serve();
    void Wake();
    void DrainWake();
    void CloseLine();
    void Trace(const std::string &line) { if (trace_) trace_(line); }
    void CountHandled();
    // After a vanish with a return due: waits for it and opens a new line.
    bool Return();
    bool PlaceLink(std::string *error);

    Gateway gateway_;
    Pty pty_;
    std::thread thread_;
    int wake_[2] = {-1, -1};
    std::atomic<bool> pacing_ {false};
    std::atomic<int> adapterMs_ {0};
    std::atomic<LineMode> lineMode_ {LineMode::Gateway};
    std::atomic<bool> connected_ {false};
    std::atomic<bool> stop_ {false};
    std::atomic<bool> disconnect_ {false};
    std::atomic<bool> busy_ {false}; // between waking and the next wait for input
    std::atomic<bool> stalled_ {false};
    std::atomic<int> returnMs_ {-1};
    std::atomic<int> returns_ {0};
    std::string link_;
    std::function<void(const std::string &)> returnHook_;
    std::function<void(const std::string &)> trace_;

    std::string pending_;
    Clock::time_point pendingStart_;

    mutable std::mutex lineMutex_; // the descriptors, against Unread from other threads
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<Fault> faults_;
    std::deque<std::string> injected_;
    std::vector<std::string> journal_;
    size_t handled_ = 0;
    bool closed_ = false;
    size_t closures_ = 0; // lines closed so far: a Disconnect waits for the next
};

} // namespace gatesim

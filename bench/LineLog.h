#pragma once
// What crosses the simulated line, recorded on the simulator's thread through
// its trace: each frame taken in ("<- ") and each reply about to go out
// ("-> "), with the simulator's clock, plus a handle on that thread's CPU
// clock so the program's own CPU can be told apart from the simulator's.
#include "gatesim/GateSim.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <pthread.h>
#include <vector>

namespace bench {

inline double CpuSeconds(clockid_t clock)
{
    timespec ts {};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct LineEvent
{
    std::chrono::steady_clock::time_point at;
    bool in = false; // a command frame taken in; else a reply going out
    size_t chars = 0;
};

class LineLog
{
public:
    void Attach(gatesim::GateSim &sim)
    {
        sim.SetTrace([this](const std::string &line) {
            const auto now = std::chrono::steady_clock::now();
            if (!haveClock_) {
                pthread_getcpuclockid(pthread_self(), &simClock_);
                haveClock_ = true;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            events_.push_back({now, line.compare(0, 3, "<- ") == 0, line.size() - 3});
        });
    }

    std::vector<LineEvent> Take()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<LineEvent> out;
        out.swap(events_);
        return out;
    }

    // CPU seconds of the simulator's thread so far (0 before its first frame).
    double SimCpu() const { return haveClock_ ? CpuSeconds(simClock_) : 0; }

private:
    std::mutex mutex_;
    std::vector<LineEvent> events_;
    std::atomic<bool> haveClock_ {false};
    clockid_t simClock_ {};
};

struct LineFigures
{
    size_t toGateway = 0, fromGateway = 0, transactions = 0;
    // Per pair of transactions: from the simulator handing reply k to the
    // line to its having taken in command k + 1 whole.
    std::vector<double> addedMicros;
    // Beyond the wire time of what they carry, summed over the run: from a
    // command taken in to its reply going out (the frame's characters), and
    // from a reply going out to the next command taken in (the reply's).
    double answerBeyondWire = 0, gapBeyondWire = 0;

    size_t Chars() const { return toGateway + fromGateway; }
    double WireSeconds() const { return double(Chars()) * 10 / 38400; }
};

inline LineFigures Summarise(const std::vector<LineEvent> &events)
{
    LineFigures f;
    for (size_t i = 0; i < events.size(); ++i) {
        const LineEvent &e = events[i];
        (e.in ? f.toGateway : f.fromGateway) += e.chars;
        f.transactions += e.in;
        if (i + 1 >= events.size() || events[i + 1].in == e.in)
            continue;
        const double micros = std::chrono::duration<double, std::micro>(events[i + 1].at - e.at).count();
        const double wire = double(e.chars) * 10 / 38400 * 1e6;
        if (e.in) {
            f.answerBeyondWire += micros - wire;
        } else {
            f.addedMicros.push_back(micros);
            f.gapBeyondWire += micros - wire;
        }
    }
    return f;
}

} // namespace bench

#pragma once
// What the simulated gateway received and holds, read the same way by the
// window's transfer tests and by mgw's.
#include "common/SimulatedGateway.h"
#include "image/ConfigImage.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <functional>

// Command texts the gateway received, without "[", sum, "00" and "]".
inline std::vector<std::string> CommandsOf(const gatesim::GateSim &sim)
{
    std::vector<std::string> out;
    for (const std::string &frame : sim.Journal())
        out.push_back(frame.substr(5, frame.size() - 6));
    return out;
}

// How many commands the gateway received that start with prefix.
inline size_t SentOf(const gatesim::GateSim &sim, const std::string &prefix)
{
    const auto commands = CommandsOf(sim);
    return size_t(std::count_if(commands.begin(), commands.end(),
                                [&](const std::string &command) { return command.rfind(prefix, 0) == 0; }));
}

// The first storage index whose gateway cell is not the image's low byte, or -1.
inline int FirstDifference(const int16_t *image, const gatesim::Gateway &memory)
{
    for (int i = 0; i < modLumentorMGW::CellCount; ++i) {
        if (memory.Cell(i % 2, i / 2) != uint8_t(image[i]))
            return i;
    }
    return -1;
}

// A fault at one block in transfer order; a vanished port returns after returnMs (-1: never).
inline gatesim::Fault BlockFault(gatesim::FaultKind kind, int block, int returnMs = -1, int count = 1)
{
    gatesim::Fault fault = MakeFault(kind);
    std::tie(fault.block, fault.returnMs, fault.count) = std::tie(block, returnMs, count);
    return fault;
}

// For what the simulator's own thread does: 5 s at most.
inline bool WaitUntil(const std::function<bool()> &condition)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < 5000)
        QThread::msleep(5);
    return condition();
}

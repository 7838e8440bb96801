#pragma once
// What the benchmarks against the simulator share: the simulator started as
// port 1, the image that sends every block, and their command-line options.
#include "gatesim/GateSim.h"
#include "image/ConfigImage.h"
#include "link/PortDevice.h"

#include <QStringList>
#include <cstdio>

namespace bench {

// False, with the reason on stderr, when the simulator cannot start.
inline bool StartOnPort1(gatesim::GateSim &sim)
{
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return false;
    }
    modLumentorMGW::SetPortDevice(1, QString::fromStdString(sim.SlavePath()));
    return true;
}

// Every cell a byte from 1 to 255, so that every block goes out.
inline void FillDenseImage()
{
    uint32_t x = 12345;
    for (int i = 0; i < modLumentorMGW::CellCount; ++i) {
        x = x * 1103515245u + 12345u;
        modLumentorMGW::ConfigImage[i] = int16_t(1 + (x >> 16) % 255);
    }
}

// The word after `name` on the command line; `otherwise` without one.
inline QString Option(const QStringList &args, const char *name, const QString &otherwise = {})
{
    const int at = int(args.indexOf(QLatin1String(name)));
    return at > 0 && at + 1 < args.size() ? args[at + 1] : otherwise;
}

} // namespace bench

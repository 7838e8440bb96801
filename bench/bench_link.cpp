// Figures for the serial transaction against the simulator on a
// pseudo-terminal: round trip and the calling thread's CPU per transaction,
// paced block writes, and the CPU a whole time-out costs.
// With --device PATH it talks to a gateway (or mgw-gatesim) there instead,
// and gives the round trips only.
#include "Simulator.h"

#include "link/Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace modLumentorMGW;

namespace {
double CpuSeconds(int who)
{
    rusage u {};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QString BlockWrite(int k)
{
    QString command = QStringLiteral("380%1").arg(64 * k, 4, 16, QLatin1Char('0')).toUpper() + "3F";
    for (int i = 0; i < 64; ++i)
        command += QStringLiteral("%1").arg((k + i) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return command;
}

void RoundTrips(const char *what, int count, bool write)
{
    std::vector<double> micros;
    micros.reserve(size_t(count));
    const double cpu0 = CpuSeconds(RUSAGE_THREAD);
    int failed = 0;
    for (int k = 0; k < count; ++k) {
        const QString command = write ? BlockWrite(k % 1024) : QStringLiteral("39000003F");
        QElapsedTimer t;
        t.start();
        failed += !SendCommand(command, write ? 6 : 132);
        micros.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    const double cpu = (CpuSeconds(RUSAGE_THREAD) - cpu0) / count * 1e6;
    std::sort(micros.begin(), micros.end());
    std::printf("%-28s n=%d failed=%d round trip median %.0f us, p90 %.0f us; caller CPU %.0f us each\n", what,
                count, failed, micros[micros.size() / 2], micros[micros.size() * 9 / 10], cpu);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (const QString device = bench::Option(app.arguments(), "--device"); !device.isEmpty()) {
        SetPortDevice(1, device);
        if (!OpenGatewayPort(1))
            return 1;
        RoundTrips("read block (39)", 200, false);
        RoundTrips("write block (38)", 200, true);
        CloseGatewayPort();
        return 0;
    }

    gatesim::GateSim sim;
    if (!bench::StartOnPort1(sim))
        return 1;
    if (!OpenGatewayPort(1))
        return 1;

    RoundTrips("read block (39), unpaced", 2000, false);
    RoundTrips("write block (38), unpaced", 2000, true);

    sim.SetPacing(true);
    RoundTrips("write block (38), paced", 20, true);
    std::printf("  (wire time of 143 + 6 characters at 38400 baud: %.1f ms)\n", 149 * 10 / 38.4);
    sim.SetPacing(false);

    gatesim::Fault silence;
    silence.kind = gatesim::FaultKind::Silence;
    sim.ArmFault(silence);
    const double self0 = CpuSeconds(RUSAGE_SELF), thread0 = CpuSeconds(RUSAGE_THREAD);
    QElapsedTimer t;
    t.start();
    const bool ok = SendCommand(QStringLiteral("3600$*"), 6);
    std::printf("time-out: returned %s after %lld ms; CPU %.4f s caller thread, %.4f s whole process\n",
                ok ? "true" : "false", t.elapsed(), CpuSeconds(RUSAGE_THREAD) - thread0, CpuSeconds(RUSAGE_SELF) - self0);

    CloseGatewayPort();
    sim.Stop();
    return 0;
}

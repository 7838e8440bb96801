// mgw as an integrator runs it: the real program started once per command
// against the gateway simulator on a pseudo-terminal.
//  - verify, unpaced: from starting the process to its exit, start-up included;
//  - download, paced at 38400 baud: the whole run against the wire time of
//    the characters exchanged.
#include "BenchReport.h"
#include "LineLog.h"
#include "SpawnMgw.h"

#include "gatesim/GateSim.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;

// Runs mgw with arguments, output discarded; returns its wall time in ms.
double RunMgw(std::vector<std::string> arguments, int *status, Clock::time_point *started = nullptr,
              Clock::time_point *ended = nullptr)
{
    return SpawnMgw(std::move(arguments), status, nullptr, started, ended);
}

// A map file whose image has `blocks` nonzero blocks spread over both banks,
// also put into the simulator so that verify finds it equal.
std::string WriteMap(const QTemporaryDir &dir, gatesim::Gateway &memory, int blocks)
{
    QByteArray bytes(262144, '\0');
    for (int b = 0; b < blocks; ++b) {
        const int bank = b % 2, address = (b * 2048 / blocks / 2) * 64 + 17;
        const int value = 1 + b % 250;
        bytes[4 * address + 2 * bank] = char(value);
        memory.SetCell(bank, address, uint8_t(value));
    }
    const QString path = dir.filePath("map.MGW");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path.toStdString();
}
} // namespace

int main()
{
    QTemporaryDir dir;
    // Its verifies are recorded: in the run's own folder, not the user's record.
    qputenv("MGW_RECORD", QFile::encodeName(dir.filePath("record.jsonl")));
    gatesim::GateSim sim;
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    const std::string pty = sim.SlavePath();
    const std::string map = WriteMap(dir, sim.Memory(), 128);

    std::vector<double> startup, verify;
    int status = 0;
    for (int i = 0; i < 15; ++i) {
        startup.push_back(RunMgw({"--version"}, &status));
        verify.push_back(RunMgw({"verify", map, "--port", pty}, &status));
        if (status != 0) {
            std::fprintf(stderr, "mgw verify exited with %d\n", status);
            return 1;
        }
    }
    std::printf("mgw --version alone (median / worst of 15): %.1f / %.1f ms\n", bench::Median(startup),
                bench::Worst(startup));
    const double median = bench::Median(verify);
    bench::Figure("mgw verify end to end, unpaced, start-up and the 50 ms quiet line included (median / worst of 15)",
                  bench::Format("%.1f / %.1f ms", median, bench::Worst(verify)), "< 100 ms", median < 100);

    bench::LineLog line;
    line.Attach(sim);
    sim.SetPacing(true);
    std::vector<double> ratios;
    for (int run = 0; run < 3; ++run) {
        line.Take();
        Clock::time_point started, ended;
        const double ms = RunMgw({"download", map, "--port", pty, "--quiet"}, &status, &started, &ended);
        const std::vector<bench::LineEvent> events = line.Take();
        const bench::LineFigures f = bench::Summarise(events);
        if (status != 0 || events.empty()) {
            std::fprintf(stderr, "mgw download exited with %d\n", status);
            return 1;
        }
        using Ms = std::chrono::duration<double, std::milli>;
        // The 50 ms of quiet line before the first command are the program's
        // choice, not time lost on the wire: they are left out of the ratio.
        ratios.push_back((ms - 50) / 1000 / f.WireSeconds());
        // Beyond the wire: the simulator's late answers are its own thread
        // oversleeping; the gaps after its replies are mgw's.
        std::printf("paced download of 128 blocks: %zu transactions, %zu chars, wire %.3f s, mgw %.3f s; "
                    "start to first command %.1f ms; beyond the wire: simulator's answers %.1f ms, mgw's "
                    "gaps %.1f ms; last reply to exit %.1f ms\n",
                    f.transactions, f.Chars(), f.WireSeconds(), ms / 1000, Ms(events.front().at - started).count(),
                    f.answerBeyondWire / 1000, f.gapBeyondWire / 1000, Ms(ended - events.back().at).count());
    }
    const double ratio = bench::Median(ratios);
    bench::Figure("mgw download, paced, 128 blocks, start-up included, quiet line not: time / wire time (median of 3)",
                  bench::Format("%.4f", ratio), "<= 1.02", ratio <= 1.02);
    return 0;
}

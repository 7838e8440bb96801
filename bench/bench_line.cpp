// The line as on site, against the simulator on a pseudo-terminal:
//  - mgw probe's whole run (open, quiet wait, five commands), unpaced;
//  - a dense download paced at 38400 baud through a simulated USB adapter
//    whose latency timer is 16 ms, then 1 ms: the time against the wire
//    time, and the probe's estimate of it against the time measured;
//  - the line log of that download: its size against the characters
//    exchanged, and the time its writing takes against the transfer's.
// Usage: bench_line [--blocks N]   (1 to 2048, default 2048: the whole download)
#include "BenchReport.h"
#include "Headless.h"
#include "Simulator.h"

#include "link/LineLog.h"
#include "link/MsgBox.h"
#include "link/Probe.h"
#include "link/Transaction.h"
#include "link/Transfer.h"
#include "link/TransferPanel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

using namespace modLumentorMGW;
using bench::Format;

namespace {
// Cancels once `blocks` blocks have gone, so a shorter run is possible.
struct BlockPanel : TransferPanel
{
    explicit BlockPanel(int blocks) : blocks(blocks) {}
    void ProcessEvents() override { CancelRequested = CancelRequested || ++seen > blocks; }
    void SetMax(int) override {}
    void SetValue(int) override {}
    void SetCaption(const QString &) override {}
    int blocks, seen = 0;
};

// The log, with the time spent writing it.
struct TimedLog : LineObserver
{
    void Seen(const LineEvent &event) override
    {
        QElapsedTimer t;
        t.start();
        log.Seen(event);
        nanos += t.nsecsElapsed();
    }
    LineLog log;
    qint64 nanos = 0;
};

double MedianRoundTrip(const QString &text)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("round trip median ([0-9.]+) ms")).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    bench::PrepareHeadless(home);
    QCoreApplication app(argc, argv);
    const int blocks = std::clamp(bench::Option(app.arguments(), "--blocks", QStringLiteral("2048")).toInt(), 1, 2048);
    SetMsgBoxHandler([](const QString &, int, const QString &) { return vbOK; });

    gatesim::GateSim sim;
    if (!bench::StartOnPort1(sim))
        return 1;

    std::vector<double> probes;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        const ProbeReport report = ProbeGateway(1);
        probes.push_back(t.nsecsElapsed() / 1e6);
        if (report.verdict != ProbeVerdict::Answers)
            std::printf("  probe: %s\n", qPrintable(report.text));
    }
    std::sort(probes.begin(), probes.end());
    bench::Figure("mgw probe against the simulator (median of 7)", Format("%.0f ms", probes[3]), "< 300 ms",
                  probes[3] < 300);

    bench::FillDenseImage();
    sim.SetPacing(true);
    // Wire time: four "36" (12 + 6 characters), the blocks (143 + 6), and for
    // the whole download the two "3F" (17 + 12).
    const double chars = 4 * 18 + blocks * 149.0 + (blocks == 2048 ? 2 * 29 : 0);
    const double wire = chars * 10 / 38400;
    for (int latency : {16, 1}) {
        sim.SetAdapterLatency(latency);
        const double estimate = DenseDownloadSeconds(MedianRoundTrip(ProbeGateway(1).text))
                                * (blocks + 6.0) / (2048 + 6.0);
        QTemporaryDir dir;
        TimedLog log;
        QString reason;
        const QString path = dir.filePath(QStringLiteral("line.log"));
        log.log.Begin(path, QStringLiteral("bench_line"), &reason);
        AddLineObserver(&log);
        BlockPanel panel(blocks);
        QElapsedTimer t;
        t.start();
        const int16_t outcome = DownloadImage(1, panel);
        const double took = t.nsecsElapsed() / 1e9;
        CloseGatewayPort();
        RemoveLineObserver(&log);
        std::printf("  adapter latency %d ms: %d blocks, outcome %d, %.2f s measured, %.2f s on the wire, "
                    "probe's estimate %.2f s\n",
                    latency, blocks, outcome, took, wire, estimate);
        bench::Figure(Format("Paced dense download, %d blocks, adapter latency %d ms: time / wire time", blocks, latency),
                      Format("%.3f (%.1f s)", took / wire, took),
                      latency == 16 ? "(an FTDI chip's default timer)" : "(its timer when low latency is asked)");
        const double off = (estimate - took) / took * 100;
        bench::Figure(Format("mgw probe's estimate of it, adapter latency %d ms", latency),
                      Format("%.1f s (%+.1f %%)", estimate, off), "within 10 %", std::abs(off) <= 10);
        if (latency == 16) {
            const double size = double(QFileInfo(path).size()) / chars;
            bench::Figure("Line log of a dense download: characters / characters exchanged", Format("%.3f", size),
                          "< 1.5", size < 1.5);
            const double share = log.nanos / 1e9 / took * 100;
            bench::Figure("Line log: writing time / transfer time", Format("%.3f %%", share), "< 0.2 %", share < 0.2);
        }
    }
    sim.Stop();
    return 0;
}

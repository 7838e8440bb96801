// Transfers through the real window against the simulator on a
// pseudo-terminal:
//  - unpaced, a full dense download, a full upload and the download of an
//    all-zero image: the characters each exchanges (so its time on a 38400
//    baud line) and the time the program adds between transactions;
//  - paced at 38400 baud, the first N blocks of each (cancelled then): the
//    time taken against the wire time of what was exchanged, and the CPU the
//    program burns meanwhile.
// Usage: bench_transfer [--blocks N]   (N >= 1, default 256)
#include "BenchReport.h"
#include "Headless.h"
#include "CancellingPanel.h"
#include "LineLog.h"
#include "Simulator.h"

#include "link/MsgBox.h"
#include "link/Transaction.h"
#include "link/Transfer.h"
#include "ui/window/TransferLock.h"
#include "ui/window/frmLumentorMGW.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QTemporaryDir>

using namespace modLumentorMGW;
using bench::Format;

namespace {
QString LastBox;

// A whole transfer as the menu command runs it; returns the line's figures.
bench::LineFigures Whole(QAction *command, bench::LineLog &log, double *wall, double *cpu)
{
    log.Take();
    const double cpu0 = bench::CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    QElapsedTimer clock;
    clock.start();
    command->trigger();
    *wall = clock.nsecsElapsed() / 1e9;
    *cpu = bench::CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu0;
    return bench::Summarise(log.Take());
}

std::string Thousands(size_t n)
{
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

void WireFigure(const char *what, const bench::LineFigures &f)
{
    std::printf("  %s: %zu transactions, %zu characters to the gateway, %zu back (box: %s)\n", what,
                f.transactions, f.toGateway, f.fromGateway, qPrintable(LastBox.simplified()));
    const double s = f.WireSeconds();
    bench::Figure(Format("Wire limit, %s", what),
                  Thousands(f.Chars()) + (s >= 1 ? Format(" chars, %.2f s", s) : Format(" chars, %.1f ms", s * 1e3)),
                  "(the line's own time)");
}

void AddedFigure(const char *what, const bench::LineFigures &f, double wall, double cpu)
{
    const double median = bench::Median(f.addedMicros), worst = bench::Worst(f.addedMicros);
    std::printf("  %s unpaced: %.3f s in all, main thread CPU %.3f s (%.0f us a transaction), %zu gaps\n", what,
                wall, cpu, cpu / double(f.transactions) * 1e6, f.addedMicros.size());
    bench::Figure(Format("Added per transaction, %s (median / worst)", what),
                  Format("%.0f / %.0f us", median, worst), "median < 200 us", median < 200);
}

// The first `blocks` blocks of a transfer at 38400 baud, then Cancel.
void Paced(frmLumentorMGW &w, bench::LineLog &log, int blocks, bool download)
{
    const char *what = download ? "download" : "upload";
    log.Take();
    bench::CancellingPanel panel(w, blocks, log);
    {
        TransferLock lock(w);
        w.frmUpDown->setTitle(download ? QStringLiteral("Download To Gateway") : QStringLiteral("Upload From Gateway"));
        w.frmUpDown->setVisible(true);
        w.frmUpDown->raise();
        w.frmUpDown->repaint();
        panel.Start();
        download ? DownloadImage(1, panel) : UploadImage(1, panel);
        CloseGatewayPort();
        w.frmUpDown->setVisible(false);
    }
    const bench::LineFigures f = bench::Summarise(log.Take());
    const double ratio = panel.wall / f.WireSeconds();
    std::printf("  paced %s: %zu transactions, %zu characters, %.3f s measured, %.3f s on the wire; "
                "CPU %.3f s main thread, %.3f s process without the simulator (box: %s)\n",
                what, f.transactions, f.Chars(), panel.wall, f.WireSeconds(), panel.thread, panel.process,
                qPrintable(LastBox.simplified()));
    std::printf("  beyond the wire, a transaction on average: %.0f us from a command taken in to its reply "
                "starting, %.0f us from a reply starting to the next command taken in\n",
                f.answerBeyondWire / double(f.transactions), f.gapBeyondWire / double(f.transactions - 1));
    bench::Figure(Format("Paced %s, %d blocks: time / wire time", what, blocks), Format("%.4f", ratio),
                  "<= 1.02", ratio <= 1.02);
    const double share = panel.thread / panel.wall * 100;
    bench::Figure(Format("Paced %s, %d blocks: CPU / wall (main thread)", what, blocks),
                  Format("%.2f %%", share), "<= 5 %", share <= 5);
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    bench::PrepareHeadless(home);
    QApplication app(argc, argv);
    const int blocks = std::max(1, bench::Option(app.arguments(), "--blocks", QStringLiteral("256")).toInt());

    SetMsgBoxHandler([](const QString &text, int, const QString &) { LastBox = text; return vbOK; });
    gatesim::GateSim sim;
    bench::LineLog log;
    log.Attach(sim);
    if (!bench::StartOnPort1(sim))
        return 1;

    frmLumentorMGW window;
    window.show();
    QCoreApplication::processEvents();
    window.cboComPort->setCurrentIndex(0);

    // Unpaced first: the characters of each transfer and the gaps between
    // its transactions; the figures go out in the order of the table.
    double downWall = 0, downCpu = 0, upWall = 0, upCpu = 0, wall = 0, cpu = 0;
    bench::FillDenseImage();
    const bench::LineFigures down = Whole(window.mnuDownload, log, &downWall, &downCpu);
    WireFigure("dense download", down);
    const bench::LineFigures up = Whole(window.mnuUpload, log, &upWall, &upCpu);
    WireFigure("full upload", up);
    ClearImage();
    WireFigure("all-zero download", Whole(window.mnuDownload, log, &wall, &cpu));

    sim.SetPacing(true);
    bench::FillDenseImage();
    Paced(window, log, blocks, true);
    Paced(window, log, blocks, false);

    AddedFigure("dense download", down, downWall, downCpu);
    AddedFigure("full upload", up, upWall, upCpu);
    sim.Stop();
    return 0;
}

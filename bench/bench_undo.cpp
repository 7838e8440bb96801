// The edit history at its limit: 1,000 steps of the real window (headless),
// half of them auto map runs over 202 points, then every step undone. Prints
// the history's size (cell changes kept, resident memory it took) and the
// time of one undo of a whole run.
#include "BenchReport.h"
#include "HeadlessWindow.h"

#include "image/ConfigImage.h"
#include "ui/history/EditHistory.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

using namespace modLumentorMGW;
using bench::Format;

namespace {
double ResidentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096 / (1024 * 1024) : 0;
}
} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessWindow headless(argc, argv);
    frmLumentorMGW &window = headless.window;

    window.cboType->setCurrentIndex(5);
    window.cboAMGrp->setCurrentIndex(200);   // 202 points a run
    window.History().Clear(true);
    const double before = ResidentMiB();
    for (int i = 0; i < EditHistory::StepLimit / 2; ++i) {
        window.cboLLGrp->setCurrentIndex(i % 2 == 0 ? 50 : 0);
        window.cmdAMGrp->click();
    }
    const double after = ResidentMiB();
    const QUndoStack &stack = window.History().Stack();
    long long cells = 0;
    for (int i = 0; i < stack.count(); ++i)
        cells += static_cast<const CellStep *>(stack.command(i))->Changes().size();
    const double keptMiB = double(cells * sizeof(CellChange)) / (1024 * 1024);
    std::printf("  %d steps, %lld cell changes of %zu bytes: %.2f MiB of changes, resident memory grew %.1f MiB\n",
                stack.count(), cells, sizeof(CellChange), keptMiB, after - before);

    QElapsedTimer clock;
    clock.start();
    window.mnuEditUndo->trigger();   // the last auto map run, 202 points
    const double runMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    while (window.mnuEditUndo->isEnabled())
        window.mnuEditUndo->trigger();
    const double allMs = clock.nsecsElapsed() / 1e6;
    std::printf("  undo of one 202-point auto map run: %.2f ms; the other %d steps: %.1f ms\n", runMs,
                stack.count() - 1, allMs);

    bench::Figure("Edit history of 1,000 steps, half of them 202-point auto map runs: memory growth",
                  Format("%.1f MiB", after - before), "-");
    bench::Figure("Undo of one 202-point auto map run, with its redraw", Format("%.2f ms", runMs), "-");
    return 0;
}

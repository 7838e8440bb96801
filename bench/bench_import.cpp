// Importing the largest listing the window can take back: 750 points, the
// first 50 multi relay points with every relay of every node the listing
// can print (12,750 node lines), the rest single relay, group, preset and
// input points with values at the ends of their lists. Checked and applied
// onto a cleared image as File > Import Listing does; the edit history's
// recording of the same import is shown beside it.
#include "BenchReport.h"

#include "export/CsvListing.h"
#include "export/ListingImport.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"
#include "ui/history/EditHistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <ctime>

using namespace modLumentorMGW;
using bench::Format;

namespace {
QByteArray LargestListing()
{
    ClearImage();
    const int16_t others[][4] = {{1, 253, 63, 0}, {2, 0, 0, 0}, {5, 0, 0, 255}, {7, 0, 0, 0}, {8, 253, 63, 7}};
    for (int p = 0; p < 750; ++p) {
        const int16_t *record = others[p % 5];
        SetPointType(int16_t(p), p < 50 ? int16_t(3 + p % 2) : record[0]);
        if (p >= 50) {
            SetPointNode(int16_t(p), record[1]);
            SetPointRelay(int16_t(p), record[2]);
            SetPointNumber(int16_t(p), record[3]);
        }
        for (int n = 0; p < 50 && n < 255; ++n)
            for (int r = 0; r < 64; r += 8)
                SetRelayCell(p, int16_t(n), int16_t(r), 0xFF);
    }
    return CsvListing(QStringLiteral("/maps/plant.MGW"), 750);
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall and CPU milliseconds of each run, onto a cleared image.
template <class Run>
std::pair<std::vector<double>, std::vector<double>> Timed(int runs, Run run)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        ClearImage();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = ThreadCpuMs();
        if (!run())
            std::exit(1);
        cpu.push_back(ThreadCpuMs() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    return {wall, cpu};
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray listing = LargestListing();
    constexpr int Runs = 20;
    const auto import = [&] {
        const ListingImport read(listing, 750);
        read.Apply();
        return read.Good();
    };
    const auto [ms, cpu] = Timed(Runs, import);
    EditHistory history;
    const auto [recorded, recordedCpu] = Timed(Runs, [&] {
        history.Begin(QStringLiteral("Import"));
        const bool good = import();
        history.End();
        return good;
    });
    std::printf("  listing of %lld bytes, %lld lines\n", static_cast<long long>(listing.size()),
                static_cast<long long>(listing.count('\n')));
    std::printf("  CPU (this thread): %.1f ms median\n", bench::Median(cpu));
    std::printf("  with the edit history recording it, as the window does: %.1f ms median (CPU %.1f ms)\n",
                bench::Median(recorded), bench::Median(recordedCpu));
    const double median = bench::Median(ms);
    bench::Figure(Format("CSV import, 750 points with 50 full multi relay points (median / worst of %d)", Runs),
                  Format("%.1f / %.1f ms", median, bench::Worst(ms)), "< 20 ms", median < 20);
    return 0;
}

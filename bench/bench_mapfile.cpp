// Opening and saving a map file (262,144 bytes) in a temporary folder:
// ReadImageFile and WriteImageFile as File Open and File Save call them.
#include "BenchReport.h"
#include "WorstImage.h"

#include "image/MapFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <ctime>

using namespace modLumentorMGW;
using bench::Format;

namespace {
double CpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Wall milliseconds of each run; *cpu gets the median CPU milliseconds.
template <class Step>
std::vector<double> Times(int runs, Step step, double *cpu)
{
    std::vector<double> ms, cpuMs;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = CpuMs();
        QElapsedTimer clock;
        clock.start();
        if (!step())
            return {};
        ms.push_back(clock.nsecsElapsed() / 1e6);
        cpuMs.push_back(CpuMs() - cpu0);
    }
    *cpu = bench::Median(cpuMs);
    return ms;
}

bool Report(const char *what, const std::vector<double> &ms, double cpu)
{
    if (ms.empty()) {
        std::fprintf(stderr, "%s failed\n", what);
        return false;
    }
    const double median = bench::Median(ms);
    // The rest of the wall time is the file system's: a save waits until
    // the data is on the disk and the new file has replaced the old.
    std::printf("  %s: %.2f ms of it the program's CPU (median)\n", what, cpu);
    bench::Figure(Format("%s a map file (median / worst of %zu)", what, ms.size()),
                  Format("%.2f / %.2f ms", median, bench::Worst(ms)), "< 10 ms", median < 10);
    return true;
}
} // namespace

int main()
{
    QTemporaryDir dir;
    FileName = dir.filePath(QStringLiteral("bench.MGW"));
    bench::FillWorstImage();
    double saveCpu = 0, openCpu = 0;
    const std::vector<double> save = Times(20, [] { return WriteImageFile(); }, &saveCpu);
    const std::vector<double> open = Times(20, [] { return ReadImageFile(); }, &openCpu);
    return Report("Saving", save, saveCpu) && Report("Opening", open, openCpu) ? 0 : 1;
}

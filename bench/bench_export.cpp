// A full CSV export of the worst-case image (750 points, 50 multi relay
// points with every relay of every node set), as Export runs it: the
// listing built and written atomically beside the map file.
#include "BenchReport.h"
#include "WorstImage.h"

#include "export/CsvFile.h"
#include "export/CsvListing.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace modLumentorMGW;
using bench::Format;

int main()
{
    bench::FillWorstImage();
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("worst.MGW"));
    constexpr int Runs = 20;
    std::vector<double> ms;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString reason;
        if (!ExportCsvFile(map, BacnetPoints, nullptr, &reason)) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(reason));
            return 1;
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double median = bench::Median(ms);
    std::printf("  listing of %lld bytes\n", static_cast<long long>(CsvListing(map, BacnetPoints).size()));
    bench::Figure(Format("CSV export, worst-case image (median / worst of %d)", Runs),
                  Format("%.1f / %.1f ms", median, bench::Worst(ms)), "< 100 ms", median < 100);
    return 0;
}

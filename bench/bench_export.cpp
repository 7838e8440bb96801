// Time of a full export of the largest listing an image can give: 750
// points, the first 50 multi relay points with every relay of every listed
// node set, the rest input points.
#include "export/CsvFile.h"
#include "export/CsvListing.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace modLumentorMGW;

int main()
{
    ClearImage();
    for (int p = 0; p < 750; ++p) {
        SetPointType(int16_t(p), p < 50 ? 4 : 9);
        SetPointNode(int16_t(p), 253);
        SetPointRelay(int16_t(p), 63);
        SetPointNumber(int16_t(p), 199);
        for (int n = 0; p < 50 && n < 255; ++n)
            for (int r = 0; r < 64; ++r)
                SetRelayBit(p, int16_t(n), int16_t(r), true);
    }
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("worst.MGW"));
    qint64 best = -1, worst = 0, bytes = 0;
    for (int run = 0; run < 20; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString reason;
        if (!ExportCsvFile(map, BacnetPoints, nullptr, &reason)) {
            std::fprintf(stderr, "export failed: %s\n", qPrintable(reason));
            return 1;
        }
        const qint64 us = timer.nsecsElapsed() / 1000;
        best = best < 0 ? us : std::min(best, us);
        worst = std::max(worst, us);
    }
    bytes = CsvListing(map, BacnetPoints).size();
    std::printf("worst-case export: %lld bytes, best %.1f ms, slowest %.1f ms over 20 runs\n",
                static_cast<long long>(bytes), best / 1000.0, worst / 1000.0);
    return 0;
}

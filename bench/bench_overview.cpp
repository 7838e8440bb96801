// The point overview over 750 points of the densest image (every relay of
// every node set on the 50 multi relay points, the rest input points):
// opening it, and its full refresh after an upload, each until the window
// has painted. The real window, headless.
#include "BenchReport.h"
#include "Headless.h"
#include "WorstImage.h"

#include "ui/overview/PointOverview.h"
#include "ui/window/frmLumentorMGW.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <cstring>
#include <memory>
#include <vector>

using namespace modLumentorMGW;
using bench::Format;

namespace {
// What an upload leaves: the cells written straight into the image.
void Upload(const std::vector<int16_t> &cells)
{
    std::memcpy(ConfigImage, cells.data(), sizeof ConfigImage);
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    bench::PrepareHeadless(home);
    QApplication app(argc, argv);
    bench::FillWorstImage();
    const std::vector<int16_t> dense(ConfigImage, ConfigImage + CellCount);
    constexpr int Passes = 7;

    std::vector<double> opening;
    for (int i = 0; i < Passes; ++i) {
        auto window = std::make_unique<frmLumentorMGW>();
        window->show();
        Upload(dense);
        window->ImageReplaced();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window->mnuEditOverview->trigger();
        QCoreApplication::processEvents();
        window->Overview->repaint();
        opening.push_back(clock.nsecsElapsed() / 1e6);
    }

    frmLumentorMGW window;
    window.show();
    window.mnuEditOverview->trigger();
    std::vector<double> refresh;
    for (int i = 0; i < Passes; ++i) {
        ClearImage();
        Upload(dense);
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window.ImageReplaced();   // what the upload command does once the image is in
        QCoreApplication::processEvents();
        window.Overview->repaint();
        refresh.push_back(clock.nsecsElapsed() / 1e6);
    }

    std::printf("  opening: median %.1f ms, worst %.1f ms; full refresh: median %.1f ms, worst %.1f ms (%d passes)\n",
                bench::Median(opening), bench::Worst(opening), bench::Median(refresh), bench::Worst(refresh), Passes);
    bench::Figure("Point Overview opened on 750 points of a dense image, painted (median)",
                  Format("%.1f ms", bench::Median(opening)), "< 50 ms", bench::Median(opening) < 50);
    bench::Figure("Point Overview full refresh after an upload of a dense image, painted (median)",
                  Format("%.1f ms", bench::Median(refresh)), "< 50 ms", bench::Median(refresh) < 50);
    return 0;
}

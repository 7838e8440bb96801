// ShowData for every one of the 750 points, by selecting each in turn in the
// real window (headless), on the worst-case image and on one where every
// point differs from the one before in type and every field, so that each
// selection runs every list's event and the type event's second redraw.
#include "BenchReport.h"
#include "HeadlessWindow.h"
#include "WorstImage.h"

#include <QComboBox>
#include <QElapsedTimer>

using namespace modLumentorMGW;
using bench::Format;

namespace {
void FillVariedImage()
{
    static const int16_t LaterTypes[] = {1, 2, 5, 6, 7, 8, 9, 0};
    ClearImage();
    for (int p = 0; p < 750; ++p) {
        SetPointType(int16_t(p), p < 50 ? int16_t(3 + p % 2) : LaterTypes[p % 8]);
        SetPointNode(int16_t(p), int16_t(p % 254));
        SetPointRelay(int16_t(p), int16_t(p % 64));
        SetPointNumber(int16_t(p), int16_t(p % 256));
        for (int r = 0; p < 50 && r < 64; r += 1 + p % 3)
            SetRelayBit(p, 0, int16_t(r), true);
    }
    SetResendFlag(1);
    SetTimeoutCode(2);
    Dirty = false;
}

// Milliseconds for one pass over points 001 to 750, each followed by a
// repaint of the window when `paint` is set.
double Pass(frmLumentorMGW &window, bool paint)
{
    window.cboPoint->setCurrentIndex(749);
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    for (int p = 0; p < 750; ++p) {
        window.cboPoint->setCurrentIndex(p);
        if (paint)
            window.repaint();
    }
    return clock.nsecsElapsed() / 1e6;
}

void Measure(frmLumentorMGW &window, const char *image, void (*fill)())
{
    constexpr int Passes = 5;
    std::vector<double> bare, painted;
    for (int i = 0; i < Passes; ++i) {
        fill();
        bare.push_back(Pass(window, false));
        painted.push_back(Pass(window, true));
    }
    const double ms = bench::Median(bare);
    std::printf("  %s: %.1f ms per pass (worst %.1f), %.1f ms with a repaint after each point\n", image, ms,
                bench::Worst(bare), bench::Median(painted));
    bench::Figure(Format("ShowData for all 750 points, %s (median of %d passes)", image, Passes),
                  Format("%.1f ms", ms), "< 100 ms", ms < 100);
    bench::Figure(Format("ShowData for all 750 points, %s, repainting the window after each (no target)", image),
                  Format("%.1f ms", bench::Median(painted)), "-");
}
} // namespace

int main(int argc, char **argv)
{
    bench::HeadlessWindow headless(argc, argv);
    frmLumentorMGW &window = headless.window;
    Measure(window, "worst-case image", bench::FillWorstImage);
    Measure(window, "varied image", FillVariedImage);
    return 0;
}

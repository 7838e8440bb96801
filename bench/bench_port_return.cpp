// A paced, dense download (every block sent) at 38400 baud, once undisturbed
// and once with the port gone for 3 s at block 1,900 and the program waiting
// for it: the second should take no longer than the first + 3 s + 1 s, and
// leave the gateway's memory equal to the map.
// Usage: bench_port_return
#include "BenchReport.h"
#include "Headless.h"
#include "Simulator.h"

#include "gatesim/GateSim.h"
#include "image/ConfigImage.h"
#include "link/MsgBox.h"
#include "link/PortDevice.h"
#include "link/Transaction.h"
#include "link/Transfer.h"
#include "link/TransferLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace modLumentorMGW;
using bench::Format;

namespace {
struct QuietPanel : TransferPanel
{
    void ProcessEvents() override {}
    void SetMax(int) override {}
    void SetValue(int) override {}
    void SetCaption(const QString &) override {}
};

// Seconds a whole download takes; its outcome in *outcome.
double Download(int16_t *outcome)
{
    QuietPanel panel;
    QElapsedTimer clock;
    clock.start();
    *outcome = DownloadImage(1, panel);
    CloseGatewayPort();
    return clock.nsecsElapsed() / 1e9;
}

bool MemoryIsImage(const gatesim::Gateway &memory)
{
    for (int i = 0; i < CellCount; ++i) {
        if (memory.Cell(i % 2, i / 2) != uint8_t(ConfigImage[i]))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    bench::PrepareHeadless(home);
    QCoreApplication app(argc, argv);
    SetMsgBoxHandler([](const QString &, int style, const QString &) { return UnattendedAnswer(style); });
    bench::FillDenseImage();

    gatesim::GateSim sim;
    sim.SetPacing(true);
    std::string error;
    const QString link = home.filePath(QStringLiteral("gateway"));
    if (!sim.Start(&error) || !sim.SetLink(link.toStdString(), &error)) {
        std::fprintf(stderr, "bench_port_return: %s\n", error.c_str());
        return 1;
    }
    SetPortDevice(1, link);
    SetTransferPatience({0, 60});

    int16_t plain = 0, waited = 0;
    const double undisturbed = Download(&plain);
    sim.Memory().Clear();
    gatesim::Fault gone;
    gone.kind = gatesim::FaultKind::Vanish;
    gone.block = 1900;
    gone.returnMs = 3000;
    sim.ArmFault(gone);
    const double disturbed = Download(&waited);
    const bool equal = MemoryIsImage(sim.Memory());
    sim.Stop();

    std::printf("  undisturbed: %.2f s (outcome %d); port gone 3 s at block 1,900: %.2f s (outcome %d), "
                "%d return(s), memory %s the map\n",
                undisturbed, plain, disturbed, waited, sim.Returns(), equal ? "equals" : "differs from");
    const double over = disturbed - undisturbed;
    bench::Figure("Paced download, port gone 3 s at block 1,900: time beyond the undisturbed one",
                  Format("%.2f s", over), "<= 3 s + 1 s", over <= 4.0 && waited == 0);
    bench::Figure("Paced download, port gone 3 s at block 1,900: gateway memory", equal ? "equals the map" : "differs",
                  "equals the map", equal);
    return 0;
}

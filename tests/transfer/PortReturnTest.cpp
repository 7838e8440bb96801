// The window holding on to its line: the adapter pulled and plugged in again
// during a transfer (counted down in the panel), the offer to resume, and an
// adapter known by its serial number.
#include "transfer/TransferFixture.h"

#include "link/PortList.h"
#include "ui/window/ProgramSettings.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>

using namespace modLumentorMGW;
using gatesim::FaultKind;

class PortReturnTest : public TransferTest {
protected:
    void SetUp() override
    {
        TransferTest::SetUp();
        window->show(); // the countdown is painted
        link = folder.filePath("gw");
        ASSERT_TRUE(gateway.sim.SetLink(link.toStdString()));
        SetPortDevice(gateway.port, link);
        // Bank 0 block 3, bank 1 block 876: block 1,900 of the transfer.
        ConfigImage[2 * 200] = 0x21;
        ConfigImage[1 + 2 * (876 * 64 + 5)] = 0x5A;
    }
    void TearDown() override
    {
        ProgramSettings().remove("transfer");
        SetPortReporter(nullptr);
        TransferTest::TearDown();
    }
    void WaitSeconds(int seconds) { ProgramSettings().setValue("transfer/waitPortSeconds", seconds); }
    // A caption too wide for the label loses its middle, never the count.
    bool SawCountdown(int seconds) const
    {
        const QString whole = "The port " + link + QStringLiteral(" went away: plug the adapter back in (waiting %1 s)").arg(seconds);
        for (const QString &seen : captions.seen) {
            if (seen == whole || (seen.startsWith("The port /") && seen.contains(QChar(0x2026))
                                  && whole.endsWith(seen.section(QChar(0x2026), 1)) && seen.size() > 30))
                return true;
        }
        return false;
    }

    QTemporaryDir folder;
    QString link;
};

// What is sent again, and an upload's wait, are mgw's to show (MgwHoldTest):
// here, that the panel counts down and says the port is back.
TEST_F(PortReturnTest, TransfersWaitForThePortCountingDownInThePanel)
{
    WaitSeconds(5);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, 60));
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
    EXPECT_TRUE(SawCountdown(5));
    EXPECT_TRUE(Saw("The port " + link + " is back"));
    ExpectWindowBack();
}

// Asked right after the error box; Yes sends from the block that stopped on,
// with no clearing command, and the bank checks decide.
TEST_F(PortReturnTest, DownloadThatStoppedIsResumedWhenTheOperatorSaysYes)
{
    WaitSeconds(0);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, 0));
    boxes.Answer(vbYes);
    boxes.onBox = [this](const RecordedBox &box) {
        if (box.style == 36) {
            WaitUntil([this] { return gateway.sim.Returns() >= 1; });
            gateway.sim.ClearJournal();
        }
    };
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes,
              (Boxes{{"Download Error: 4\r\nThe port " + link + " went away: was the adapter unplugged?" + DownloadWarning, 16,
                      "Error"},
                     {"Resume the download from block 1,901 of 2,048?", 36, "Download"},
                     {"Download Complete", 0, "Download"}}));
    EXPECT_EQ(Commands().size(), 3u); // the block and both bank checks
    ExpectWindowBack();
}

// A USB adapter is known by its serial number: back under another name it is
// taken; another adapter behind the same name is not.
TEST_F(PortReturnTest, AdapterIsFoundAgainByItsSerialNumberAndNoOtherIsTaken)
{
    const QString first = QString::fromStdString(gateway.sim.SlavePath());
    // The adapter of the transfer's start is there until the simulator comes
    // back (by count: a busy machine may give the new line the old number).
    std::atomic<int> returns{0};
    int startedAt = 0;
    bool sameAdapter = true;
    gateway.sim.SetReturnHook([&](const std::string &) { ++returns; });
    SetPortReporter([&] {
        return std::vector<ReportedPort>{
            {"ttyUSB0", "FT232R USB UART", link, returns == startedAt || sameAdapter ? "A50285BI" : "B7", 0x0403, 0x6001}};
    });
    SetPortDevice(gateway.port, first); // opened by its name of the moment, as ttyUSB0
    WaitSeconds(5);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, 60));
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
    EXPECT_NE(QFileInfo(link).canonicalFilePath(), first);
    EXPECT_EQ(PortDevice(gateway.port), first); // the redirection lasted the transfer only

    const QString current = QFileInfo(link).canonicalFilePath();
    SetPortDevice(gateway.port, current);
    sameAdapter = false;
    startedAt = returns;
    WaitSeconds(1);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 3, 100));
    Run(window->mnuDownload);
    // Nothing to resume either: the adapter there now is not the one written to.
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Error: 4\r\nThe port " + current
                                       + " went away: was the adapter unplugged?" + DownloadWarning,
                                   16, "Error"}}));
    EXPECT_EQ(Sent("38000C0"), 1u);
    ExpectWindowBack();
    gateway.sim.SetReturnHook(nullptr);
}

TEST_F(PortReturnTest, CancelEndsTheWaitWithTheCancelMessage)
{
    WaitSeconds(30);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, -1));
    QTimer waiting; // Cancel once the countdown is shown
    QObject::connect(&waiting, &QTimer::timeout, [this] {
        if (SawCountdown(30))
            window->cmdCancel->click();
    });
    waiting.start(10);
    boxes.Answer(vbNo);
    QElapsedTimer took;
    took.start();
    Run(window->mnuDownload);
    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Manual Download Cancel." + DownloadWarning, 48, "Download"},
                                  {"Resume the download from block 1,901 of 2,048?", 36, "Download"}}));
    ExpectWindowBack();
}

// Every error code from the fault that causes it; nothing is ever retried
// and nothing is waited out that has already failed.
#include "transfer/TransferFixture.h"

#include "common/DrivenClock.h"
#include "ui/window/ProgramSettings.h"

using namespace modLumentorMGW;
using gatesim::FaultKind;

namespace {
struct Case { FaultKind kind; std::string prefix; uint32_t mask; int code; size_t sent; QString resume = {}; };
const QString AtBankChecks = "Resume the download at its bank checks?\r\nAll 2,048 blocks were written.";
} // namespace

TEST_F(TransferTest, DownloadFailuresEndAtOnceWithTheirCodeAndLoseNothing)
{
    DrivenClock clock(gateway.sim);
    ConfigImage[2 * 200] = 9;     // bank 0, block 3
    ConfigImage[1 + 2 * 640] = 9; // bank 1, block 10
    const Case cases[] = {
        {FaultKind::BadChecksum, "3600", 0, 21, 1},  {FaultKind::BadChecksum, "3601", 0, 22, 2},
        {FaultKind::BadChecksum, "3610", 0, 23, 3},  {FaultKind::BadChecksum, "3611", 0, 24, 4},
        {FaultKind::Overlong, "38", 0, 4, 5, "Resume the download from block 4 of 2,048?"},
        {FaultKind::Trailing, "381", 0, 4, 6, "Resume the download from block 1,035 of 2,048?"}, // sum right, too long
        {FaultKind::BadChecksum, "3F0", 0, 52, 7, AtBankChecks}, {FaultKind::WrongBankSum, "3F0", 0x10000, 61, 7},
        {FaultKind::WrongBankSum, "3F0", 1, 62, 7},  {FaultKind::BadChecksum, "3F1", 0, 52, 8, AtBankChecks},
        {FaultKind::WrongBankSum, "3F1", 0x80000000, 63, 8}, {FaultKind::WrongBankSum, "3F1", 0x8000, 64, 8},
        {FaultKind::WrongBankSum, "3F1", 0x10001, 63, 8}, // upper halves are compared first
    };
    const auto image = ImageCopy();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        gateway.sim.ArmFault(MakeFault(c.kind, c.prefix, c.mask));
        Boxes expected{{"Download Error: " + QString::number(c.code) + DownloadWarning, 16, "Error"}};
        if (!c.resume.isEmpty()) { // offered where the gateway's answer never came; No leaves it
            expected.push_back({c.resume, 36, "Download"});
            boxes.Answer(vbNo);
        }
        Run(window->mnuDownload);
        EXPECT_EQ(boxes.boxes, expected);
        ASSERT_TRUE(gateway.sim.WaitForHandled(c.sent, 5000)); // the journal restarts with each run
        EXPECT_EQ(Commands().size(), c.sent);
        ExpectWindowBack();
        gateway.sim.ClearFaults();
    }
    EXPECT_TRUE(ChangedCells(image).empty());
    EXPECT_EQ(clock.Now(), 0);
}

TEST_F(TransferTest, UploadFailuresClearTheImageAfterTheMessage)
{
    DrivenClock clock(gateway.sim);
    gateway.sim.Memory().SetCell(0, 10, 9); // point 003, not the one shown
    const Case cases[] = {
        {FaultKind::BadChecksum, "39000", 0, 71, 1},      {FaultKind::Trailing, "3910200", 0, 71, 1024 + 9},
        {FaultKind::ChangedCell, "3900040", 0, 61, 2049}, // the bank checks, shared with the download's
        {FaultKind::Vanish, "3900400", 0, 71, 17}, // the port gone for good, and not waited for
    };
    ProgramSettings().setValue("transfer/waitPortSeconds", 0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        ConfigImage[2 * 12] = 7; // held until the operator has read why it goes
        bool heldDuringBox = false;
        boxes.onBox = [&](const RecordedBox &) { heldDuringBox = !ImageIsClear(); };
        gateway.sim.ArmFault(MakeFault(c.kind, c.prefix, c.mask));
        Run(window->mnuUpload);
        const QString gone = c.kind == FaultKind::Vanish ? "\r\nThe port " + QString::fromStdString(gateway.sim.SlavePath())
                                                             + " went away: was the adapter unplugged?"
                                                       : "";
        EXPECT_EQ(boxes.boxes, (Boxes{{"Upload Error: " + QString::number(c.code) + gone + "\r\nAll Host Data Cleared.",
                                       16, "Error"}}));
        EXPECT_TRUE(heldDuringBox);
        EXPECT_TRUE(ImageIsClear());
        EXPECT_EQ(Commands().size(), c.sent);
        ExpectWindowBack();
        gateway.sim.ClearFaults();
    }
    ProgramSettings().remove("transfer/waitPortSeconds");
    EXPECT_EQ(clock.Now(), 0);
}

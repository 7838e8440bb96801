// Whatever the line brings, a transfer ends with a clear message, and a
// download loses nothing of the operator's image.
#include "transfer/TransferFixture.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

using namespace modLumentorMGW;
using gatesim::FaultKind;

TEST_F(TransferTest, HostileRepliesEndADownloadWithItsCodeAndLoseNothing)
{
    for (int a = 0; a < 4096; a += 61)
        ImageSet(0, a, int16_t(a % 250 + 1));
    const auto image = ImageCopy();
    QRandomGenerator rng(8);
    std::vector<gatesim::Fault> faults;
    for (int i = 0; i < 4; ++i) {
        gatesim::Fault noise = MakeFault(FaultKind::Replace, "38");
        for (int n = int(rng.bounded(1, 300)); n > 0; --n)
            noise.text.push_back(char(rng.bounded(256)));
        noise.text.append(6, 'x'); // never short: no wait for the time-out
        noise.pieces = 1;
        faults.push_back(noise);
    }
    faults.push_back(MakeFault(FaultKind::Overlong, "38")); // its sum is right, past the code table
    gatesim::Fault many = MakeFault(FaultKind::Replace, "38");
    many.text = "[F500][F500]";
    many.pieces = 1;
    faults.push_back(many);

    for (const gatesim::Fault &fault : faults) {
        gateway.sim.ArmFault(fault);
        Run(window->mnuDownload);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().text.startsWith("Download Error: 4\r\n")) << qPrintable(boxes.Last().text);
        ASSERT_TRUE(gateway.sim.WaitForHandled(5, 5000)); // the journal restarts with each run
        EXPECT_EQ(Commands().size(), 5u);
        ExpectWindowBack();
        gateway.sim.ClearFaults();
    }
    EXPECT_TRUE(ChangedCells(image).empty());
    EXPECT_TRUE(Dirty);
}

TEST_F(TransferTest, SplitRepliesAndStaleNoiseStillGiveACompleteUpload)
{
    for (int a = 0; a < 65536; a += 509)
        gateway.sim.Memory().SetCell(a % 2, a, uint8_t(a % 255 + 1));
    gatesim::Fault split = MakeFault(FaultKind::Split, "39");
    split.count = 40;
    split.pieces = 40; // three or four characters a read
    split.gapMs = 0;
    gateway.sim.ArmFault(split);
    gateway.sim.Inject("\x01\xff[F500]noise before any command");
    ASSERT_TRUE(gateway.sim.WaitForUnread(10, 5000));

    Run(window->mnuUpload);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Upload Complete"});
    for (int a = 0; a < 65536; ++a)
        for (int b = 0; b < 2; ++b)
            ASSERT_EQ(ImageGet(int16_t(b), a), gateway.sim.Memory().Cell(b, a)) << b << ":" << a;
    ExpectWindowBack();
}

TEST_F(TransferTest, APortThatDisappearsEndsTheTransferAtOnce)
{
    ImageSet(1, 70000 % 65536, 5);
    gateway.sim.ArmFault(MakeFault(FaultKind::Vanish, "3900400"));
    QElapsedTimer timer;
    timer.start();
    Run(window->mnuUpload);
    EXPECT_LT(timer.elapsed(), 5000); // not waited out: no reply can come
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Upload Error: 71\r\nAll Host Data Cleared."});
    EXPECT_EQ(Commands().size(), 17u);
    ExpectWindowBack();

    // The next transfer finds no gateway and says so.
    boxes.Clear();
    window->mnuDownload->trigger();
    ASSERT_GE(boxes.Count(), 1);
    EXPECT_EQ(boxes.boxes[0].title, "Port Error");
    ExpectWindowBack();
}

// Hostile input: whatever the line brings, a transfer ends with a clear
// message and a download loses nothing of the operator's image; whatever a
// map file holds, the window opens, shows, lists, sends and saves it without
// a crash, and saving straight after opening gives the opened bytes back.
#include "transfer/TransferFixture.h"

#include "common/DrivenClock.h"
#include "common/TestFiles.h"
#include "image/MapFile.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <fcntl.h>
#include <unistd.h>

using namespace modLumentorMGW;
using gatesim::FaultKind;

namespace {
// Cell (bank, address) of a map file's bytes.
void put(QByteArray &file, int bank, int address, int16_t value)
{
    qToLittleEndian<qint16>(value, file.data() + 4 * address + 2 * bank);
}

std::vector<std::pair<QString, QByteArray>> hostileFiles()
{
    QRandomGenerator rng(1234);
    QByteArray random(MapFileBytes, '\0');
    for (char &c : random)
        c = char(rng.bounded(256));
    put(random, 0, 0, 1000); // point 001: no type, so nothing of it is stored back

    QByteArray odd(MapFileBytes + 77, char(0x5A));          // long: the tail is ignored
    for (int a = 0; a < 65536; a += 3)
        put(odd, a % 2, a, int16_t(-1 - a));               // negative cells
    for (int a = 1; a < 3000; a += 4) {
        put(odd, 0, a, int16_t(254 + a % 3));               // node slots 254/255, out of the lists
        put(odd, 0, a + 1, int16_t(64 + a));                 // relay/device past 64
        put(odd, 0, a + 2, int16_t(256 + a));                // group/preset past 256
        put(odd, 0, a - 1, int16_t(a / 4 % 14));             // types 0..13, 3 and 4 past point 050 too
    }
    put(odd, 0, 0, 1);
    put(odd, 0, 4096, 7);                                    // resend flag neither 0 nor 1
    put(odd, 0, 4097, 300);                                  // timeout out of its list, above 255
    return {{"random", random}, {"odd", odd}};
}
} // namespace

TEST_F(TransferTest, HostileMapFilesOpenShowExportSendAndSaveBack)
{
    QTemporaryDir dir;
    for (const auto &[name, bytes] : hostileFiles()) {
        SCOPED_TRACE(qPrintable(name));
        const QString in = dir.filePath(name + ".MGW"), out = dir.filePath(name + "-saved.MGW");
        ASSERT_TRUE(WriteAll(in, bytes));
        Dirty = false;
        const bool checkedBefore = window->chkResend->isChecked();
        replies = {in, out};
        window->mnuFileOpen->trigger();
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(FileName, in);
        window->mnuFileSaveAs->trigger(); // straight after opening: the same bytes, but a
        QByteArray expected = bytes.left(MapFileBytes); // resend flag that checks the box is stored as 1
        if (expected.mid(16384, 2) != QByteArray(2, '\0') && !checkedBefore)
            put(expected, 0, 4096, 1);
        EXPECT_EQ(ReadAll(out), expected);

        // Every point shown; only the multi relay refusal may speak.
        for (int p = 0; p < window->cboPoint->count(); ++p)
            SelectPoint(p);
        for (const RecordedBox &box : boxes.boxes)
            EXPECT_EQ(box.text, "Multi Relay Mapping Is Only Allowed On Points 001 - 0050");

        boxes.Clear();
        window->mnuExport->trigger();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().text.startsWith("Settings Exported To: ")) << qPrintable(boxes.Last().text);

        // Sent as low bytes; the verification of bank 0 then tells the difference.
        const auto image = ImageCopy();
        Run(window->mnuDownload);
        ASSERT_GE(boxes.Count(), 1);
        EXPECT_LE(boxes.Count(), 12);
        const QString last = boxes.Last().text;
        EXPECT_TRUE(last.startsWith("Download Error: 61\r\n") || last.startsWith("Download Error: 62\r\n")) << qPrintable(last);
        EXPECT_EQ(FirstDifference(image.data(), gateway.sim.Memory()), -1);
        EXPECT_TRUE(ChangedCells(image).empty());
        ExpectWindowBack();
        boxes.Clear();
    }
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
    EXPECT_EQ(boxes.boxes, (Boxes{{"Upload Complete", 0, "Upload"}}));
    EXPECT_EQ(FirstDifference(ConfigImage, gateway.sim.Memory()), -1);
    ExpectWindowBack();
}

TEST_F(TransferTest, APortThatDisappearsEndsTheTransferAtOnce)
{
    ImageSet(1, 70000 % 65536, 5);
    // Held open, the vanished line keeps its number: another suite running
    // meanwhile cannot get a new pseudo-terminal at the same path.
    const int hold = ::open(gateway.sim.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(hold, 0);
    gateway.sim.ArmFault(MakeFault(FaultKind::Vanish, "3900400"));
    DrivenClock clock(gateway.sim);
    Run(window->mnuUpload);
    EXPECT_EQ(clock.Now(), 0); // not waited out: no reply can come
    EXPECT_EQ(boxes.boxes, (Boxes{{"Upload Error: 71\r\nAll Host Data Cleared.", 16, "Error"}}));
    EXPECT_EQ(Commands().size(), 17u);
    ExpectWindowBack();

    // The next transfer finds no gateway and says so.
    boxes.Clear();
    window->mnuDownload->trigger();
    ASSERT_GE(boxes.Count(), 1);
    EXPECT_EQ(boxes.boxes[0].title, "Port Error");
    ExpectWindowBack();
    ::close(hold);
}

// Whatever a map file holds, the window opens, saves and sends it without a
// crash; saving straight after opening gives the opened bytes back, and a
// download loses nothing of the operator's image.
#include "transfer/TransferFixture.h"

#include "common/TestFiles.h"
#include "image/MapFile.h"

#include <QtEndian>

using namespace modLumentorMGW;

namespace {
// Cell (bank, address) of a map file's bytes.
void put(QByteArray &file, int bank, int address, int16_t value)
{
    qToLittleEndian<qint16>(value, file.data() + 4 * address + 2 * bank);
}
} // namespace

TEST_F(TransferTest, HostileMapFileOpensSavesBackAndSends)
{
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
    QTemporaryDir dir;
    const QString in = dir.filePath("odd.MGW"), out = dir.filePath("saved.MGW");
    ASSERT_TRUE(WriteAll(in, odd));
    replies = {in, out};
    ASSERT_FALSE(window->chkResend->isChecked());
    window->mnuFileOpen->trigger();
    // Saved straight after opening: the same bytes but for the one cell the
    // window may change, the resend flag, stored as 1 as the box goes from
    // unchecked to checked.
    window->mnuFileSaveAs->trigger();
    QByteArray expected = odd.left(MapFileBytes);
    put(expected, 0, 4096, 1);
    EXPECT_EQ(ReadAll(out), expected);

    // Sent as low bytes; the verification of bank 0 then tells the difference.
    const auto image = ImageCopy();
    Run(window->mnuDownload);
    ASSERT_GE(boxes.Count(), 1);
    EXPECT_LE(boxes.Count(), 12);
    EXPECT_TRUE(boxes.Last().text.startsWith("Download Error: 61\r\n")) << qPrintable(boxes.Last().text);
    EXPECT_EQ(FirstDifference(image.data(), gateway.sim.Memory()), -1);
    EXPECT_TRUE(ChangedCells(image).empty());
}

// The image: storage order, Dirty, the multi relay bitmaps and where every
// cell lands in a map file. Map file round trips, long files, refused reads
// and failed saves are tested through the window's file commands.
#include "common/TestFiles.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QTemporaryDir>

using namespace modLumentorMGW;

namespace {
// (storage index, value) of every nonzero cell.
using Cells = std::vector<std::pair<int, int>>;
Cells NonzeroCells()
{
    Cells cells;
    for (int i = 0; i < CellCount; ++i) {
        if (ConfigImage[i] != 0)
            cells.push_back({i, ConfigImage[i]});
    }
    return cells;
}
} // namespace

TEST(PointRecord, RelayBitmapAddresses)
{
    struct Case { int p, n, r, bank, address, value; };
    const Case cases[] = {
        {0, 0, 0, 1, 0, 1},              // point 001, node 01, relay 01
        {0, 0, 63, 1, 7, 128},           // relay 64
        {0, 3, 2, 1, 24, 4},             // relay 03 of node 04
        {31, 255, 63, 1, 65535, 128},    // point 032, node slot 255, relay 64
        {32, 0, 0, 0, 28672, 1},         // point 033, node 01, relay 01
        {49, 255, 63, 0, 65535, 128},    // point 050: the last cell of bank 0
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "p=" << c.p << " n=" << c.n << " r=" << c.r);
        ClearImage();
        SetRelayBit(c.p, int16_t(c.n), int16_t(c.r), true);
        EXPECT_EQ(NonzeroCells(), (Cells{{c.bank + 2 * c.address, c.value}}));
        EXPECT_TRUE(GetRelayBit(c.p, int16_t(c.n), int16_t(c.r)));
        SetRelayBit(c.p, int16_t(c.n), int16_t(c.r), false);
        EXPECT_TRUE(NonzeroCells().empty());
    }
    // Points from 051 have no bitmap: nothing is written for them.
    ClearImage();
    Dirty = false;
    for (int p : {50, 749, -1})
        SetRelayBit(p, 0, 0, true);
    EXPECT_TRUE(NonzeroCells().empty());
    EXPECT_FALSE(Dirty);
}

TEST(MapFile, RecordsAndSettingsLandOnTheirByteOffsets)
{
    QTemporaryDir dir;
    ClearImage();
    SetPointType(0, 1);                // point 001: cells 0..3 at offsets 0, 4, 8, 12
    SetPointNode(0, 2);
    SetPointRelay(0, 3);
    SetPointNumber(0, 4);
    SetPointNumber(3, 0x55);           // point 004 cell 3: 16 * 3 + 4 * 3 = 60
    SetPointType(749, 9);              // point 750 cell 0: 16 * 749 = 11,984
    ImageSet(1, 2, 1);                 // bank 1 address 2: 4 * 2 + 2 = 10
    SetResendFlag(0x0102);             // 16,384, low byte first
    SetTimeoutCode(int16_t(0xFFFE));   // 16,388, two's complement
    ImageSet(1, 65535, 0x7F01);        // the last two bytes
    FileName = dir.filePath("a.MGW");
    QString reason;
    ASSERT_TRUE(WriteImageFile(&reason)) << reason.toStdString();

    QByteArray expected(MapFileBytes, '\0');
    for (auto [offset, byte] : std::vector<std::pair<int, int>>{
             {0, 1}, {4, 2}, {8, 3}, {12, 4}, {60, 0x55}, {11984, 9}, {10, 1}, {16384, 2}, {16385, 1},
             {16388, 0xFE}, {16389, 0xFF}, {262142, 1}, {262143, 0x7F}})
        expected[offset] = char(byte);
    EXPECT_TRUE(ReadAll(FileName) == expected);
}

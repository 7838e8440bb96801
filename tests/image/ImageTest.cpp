// Where every cell lands in a map file: point records, the settings and the
// multi relay bitmaps. Map file round trips, long files, refused reads and
// failed saves are tested through the window's file commands.
#include "common/TestFiles.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QTemporaryDir>

using namespace modLumentorMGW;

TEST(MapFile, RecordsSettingsAndRelayBitsLandOnTheirByteOffsets)
{
    QTemporaryDir dir;
    ClearImage();
    SetPointType(0, 1);                // point 001: cells 0..3 at offsets 0, 4, 8, 12
    SetPointNode(0, 2);
    SetPointRelay(0, 3);
    SetPointNumber(0, 4);
    SetPointNumber(3, 0x55);           // point 004 cell 3: 16 * 3 + 4 * 3 = 60
    SetPointType(749, 9);              // point 750 cell 0: 16 * 749 = 11,984
    SetResendFlag(0x0102);             // 16,384, low byte first
    SetTimeoutCode(int16_t(0xFFFE));   // 16,388, two's complement
    // Relay bitmaps: 8 cells a node slot, a bit a relay; points 001 to 032 in
    // bank 1 from 2048 * p, 033 to 050 in bank 0 from 28672; none from 051.
    const int relays[][3] = {{0, 0, 0}, {0, 0, 63}, {0, 3, 2}, {31, 255, 63}, {32, 0, 0}, {49, 255, 63},
                             {50, 0, 0}, {749, 0, 0}, {-1, 0, 0}};
    for (const auto &[p, n, r] : relays)
        SetRelayBit(p, int16_t(n), int16_t(r), true);
    FileName = dir.filePath("a.MGW");
    QString reason;
    ASSERT_TRUE(WriteImageFile(&reason)) << reason.toStdString();

    const QByteArray file = ReadAll(FileName);
    EXPECT_EQ(file.size(), 262144);
    std::vector<std::pair<int, int>> bytes; // (offset, value) of every nonzero byte
    for (int offset = 0; offset < file.size(); ++offset) {
        if (file[offset] != 0)
            bytes.push_back({offset, uint8_t(file[offset])});
    }
    EXPECT_EQ(bytes, (std::vector<std::pair<int, int>>{{0, 1}, {2, 1}, {4, 2}, {8, 3}, {12, 4}, {30, 128}, {60, 0x55},
                                                       {98, 4}, {11984, 9}, {16384, 2}, {16385, 1}, {16388, 0xFE},
                                                       {16389, 0xFF}, {114688, 1}, {262140, 128}, {262142, 128}}));
}

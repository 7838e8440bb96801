// Where every cell lands in a map file. Round trips, long files, refused
// reads and failed saves are tested through the window's file commands.
#include "common/TestFiles.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QTemporaryDir>

using namespace modLumentorMGW;

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

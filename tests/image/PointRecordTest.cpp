#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <gtest/gtest.h>

using namespace modLumentorMGW;

namespace {
class PointRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ClearImage(); }

    // The one cell that is nonzero, as (bank, address, value); fails if not exactly one.
    static void expectOnlyCell(int bank, int address, int value)
    {
        int found = 0;
        for (int i = 0; i < 2 * 65536; ++i) {
            if (ConfigImage[i] == 0)
                continue;
            ++found;
            EXPECT_EQ(i % 2, bank);
            EXPECT_EQ(i / 2, address);
            EXPECT_EQ(ConfigImage[i], value);
        }
        EXPECT_EQ(found, 1);
    }
};
} // namespace

TEST_F(PointRecordTest, RecordFieldsAndSettingsCells)
{
    SetPointType(0, 1);
    SetPointNode(0, 2);
    SetPointRelay(0, 3);
    SetPointNumber(0, 4);
    SetPointType(749, 9);
    SetPointNumber(749, 7);
    SetResendFlag(1);
    SetTimeoutCode(2);
    EXPECT_EQ(ImageGet(0, 0), 1);
    EXPECT_EQ(ImageGet(0, 1), 2);
    EXPECT_EQ(ImageGet(0, 2), 3);
    EXPECT_EQ(ImageGet(0, 3), 4);
    EXPECT_EQ(ImageGet(0, 2996), 9);
    EXPECT_EQ(ImageGet(0, 2999), 7);
    EXPECT_EQ(ImageGet(0, 4096), 1);
    EXPECT_EQ(ImageGet(0, 4097), 2);
    EXPECT_EQ(GetPointNumber(749), 7);
    EXPECT_EQ(GetResendFlag(), 1);
    EXPECT_EQ(GetTimeoutCode(), 2);
    EXPECT_TRUE(Dirty);
}

TEST_F(PointRecordTest, TypeChangeKeepsSharedCellsAndBitmap)
{
    SetPointType(5, 5);
    SetPointNumber(5, 99);
    SetRelayBit(5, 0, 0, true);
    SetPointType(5, 1);
    EXPECT_EQ(GetPointNumber(5), 99);
    EXPECT_TRUE(GetRelayBit(5, 0, 0));
}

TEST_F(PointRecordTest, RelayBitmapAddresses)
{
    struct Case { int p, n, r, bank, address, value; };
    const Case cases[] = {
        {0, 0, 0, 1, 0, 1},              // point 001, node 01, relay 01
        {0, 0, 8, 1, 1, 1},              // relay 09
        {0, 0, 63, 1, 7, 128},           // relay 64
        {31, 255, 63, 1, 65535, 128},    // point 032, node slot 255, relay 64
        {32, 0, 0, 0, 28672, 1},         // point 033, node 01, relay 01
        {49, 253, 63, 0, 65519, 128},    // point 050, node FE, relay 64
        {49, 255, 63, 0, 65535, 128},    // last cell of bank 0
        {0, 3, 2, 1, 24, 4},             // relay 03 of node 04
    };
    for (const Case &c : cases) {
        ClearImage();
        SetRelayBit(c.p, int16_t(c.n), int16_t(c.r), true);
        SCOPED_TRACE(testing::Message() << "p=" << c.p << " n=" << c.n << " r=" << c.r);
        expectOnlyCell(c.bank, c.address, c.value);
        EXPECT_TRUE(GetRelayBit(c.p, int16_t(c.n), int16_t(c.r)));
        EXPECT_TRUE(Dirty);
        Dirty = false;
        SetRelayBit(c.p, int16_t(c.n), int16_t(c.r), false);
        EXPECT_EQ(ImageGet(int16_t(c.bank), c.address), 0);
        EXPECT_TRUE(Dirty);
    }
}

TEST_F(PointRecordTest, RelayBitsOutsideTheBitmapAreRefused)
{
    const int bad[][3] = {{50, 0, 0}, {-1, 0, 0}, {749, 0, 0}, {0, 256, 0}, {0, -1, 0}, {0, 0, 64}, {0, 0, -1}};
    for (const auto &b : bad) {
        SetRelayBit(b[0], int16_t(b[1]), int16_t(b[2]), true);
        EXPECT_FALSE(GetRelayBit(b[0], int16_t(b[1]), int16_t(b[2])));
    }
    EXPECT_FALSE(Dirty);
    for (int i = 0; i < 2 * 65536; ++i)
        ASSERT_EQ(ConfigImage[i], 0) << i;
}

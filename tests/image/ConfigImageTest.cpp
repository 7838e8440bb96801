#include "image/ConfigImage.h"

#include <gtest/gtest.h>

using namespace modLumentorMGW;

namespace {
class ConfigImageTest : public ::testing::Test {
protected:
    void SetUp() override { ClearImage(); }
};
} // namespace

TEST_F(ConfigImageTest, ClearZeroesBothBanksAndDirty)
{
    ConfigImage[0] = 3;
    ConfigImage[2 * 65536 - 1] = 4;
    Dirty = true;
    ClearImage();
    EXPECT_FALSE(Dirty);
    for (int a = 0; a < 65536; ++a)
        ASSERT_EQ(ImageGet(0, a) | ImageGet(1, a), 0) << a;
}

TEST_F(ConfigImageTest, StorageOrderInterleavesBanks)
{
    ImageSet(0, 0, 5);
    ImageSet(1, 0, 7);
    ImageSet(0, 1, 9);
    ImageSet(1, 65535, 11);
    EXPECT_EQ(ConfigImage[0], 5);
    EXPECT_EQ(ConfigImage[1], 7);
    EXPECT_EQ(ConfigImage[2], 9);
    EXPECT_EQ(ConfigImage[131071], 11);
    EXPECT_EQ(ImageGet(1, 65535), 11);
}

TEST_F(ConfigImageTest, EverySetMarksDirtyEvenWithTheSameValue)
{
    ImageSet(0, 10, 0);
    EXPECT_TRUE(Dirty);
    ClearImage();
    ImageSetBit(0, 10, 5, false);
    EXPECT_TRUE(Dirty);
    EXPECT_EQ(ImageGet(0, 10), 0);
}

TEST_F(ConfigImageTest, BitOperations)
{
    ImageSet(0, 1, 128);
    EXPECT_TRUE(ImageGetBit(0, 1, 7));
    for (int16_t b = 0; b < 7; ++b)
        EXPECT_FALSE(ImageGetBit(0, 1, b)) << b;

    ImageSetBit(0, 2, 3, true);
    EXPECT_EQ(ImageGet(0, 2), 8);
    ImageSet(0, 3, 255);
    ImageSetBit(0, 3, 0, false);
    EXPECT_EQ(ImageGet(0, 3), 254);
    // Clearing keeps a byte value: bits above 7 go as well.
    ImageSet(0, 4, 511);
    ImageSetBit(0, 4, 0, false);
    EXPECT_EQ(ImageGet(0, 4), 254);
}

TEST_F(ConfigImageTest, OutOfBoundsCallsAreRefused)
{
    for (int i = 0; i < CellCount; ++i)
        ConfigImage[i] = 1;
    Dirty = false;
    const int16_t badBanks[] = {-1, 2, 32767, -32768};
    for (int16_t bank : badBanks) {
        ImageSet(bank, 0, 9);
        ImageSetBit(bank, 0, 1, true);
        EXPECT_EQ(ImageGet(bank, 0), 0);
        EXPECT_FALSE(ImageGetBit(bank, 0, 0));
    }
    const int32_t badAddresses[] = {-1, 65536, 131072, INT32_MAX, INT32_MIN};
    for (int32_t address : badAddresses) {
        ImageSet(0, address, 9);
        ImageSetBit(1, address, 1, true);
        EXPECT_EQ(ImageGet(0, address), 0);
        EXPECT_FALSE(ImageGetBit(1, address, 0));
    }
    const int16_t badBits[] = {-1, 8, 16, 32767};
    for (int16_t bit : badBits) {
        ImageSetBit(0, 0, bit, true);
        ImageSetBit(0, 0, bit, false);
        EXPECT_FALSE(ImageGetBit(0, 0, bit));
    }
    EXPECT_FALSE(Dirty);
    for (int i = 0; i < CellCount; ++i)
        ASSERT_EQ(ConfigImage[i], 1) << i;
}

// The multi relay bitmaps: where each relay bit lives, and bits outside them.
#include "image/ConfigImage.h"
#include "image/PointRecord.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace modLumentorMGW;

namespace {
// (storage index, value) of every nonzero cell.
std::vector<std::pair<int, int>> NonzeroCells()
{
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < 131072; ++i) {
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
        {0, 0, 8, 1, 1, 1},              // relay 09
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
        EXPECT_EQ(NonzeroCells(), (std::vector<std::pair<int, int>>{{c.bank + 2 * c.address, c.value}}));
        EXPECT_TRUE(GetRelayBit(c.p, int16_t(c.n), int16_t(c.r)));
        EXPECT_TRUE(Dirty);
        Dirty = false;
        SetRelayBit(c.p, int16_t(c.n), int16_t(c.r), false);
        EXPECT_TRUE(NonzeroCells().empty());
        EXPECT_TRUE(Dirty);
    }
}

TEST(PointRecord, RelayBitsOutsideTheBitmapsAreRefused)
{
    ClearImage();
    const int bad[][3] = {{50, 0, 0}, {-1, 0, 0}, {749, 0, 0}, {0, 256, 0}, {0, -1, 0}, {0, 0, 64}, {0, 0, -1}};
    for (const auto &b : bad) {
        SetRelayBit(b[0], int16_t(b[1]), int16_t(b[2]), true);
        EXPECT_FALSE(GetRelayBit(b[0], int16_t(b[1]), int16_t(b[2])));
    }
    EXPECT_FALSE(Dirty);
    EXPECT_TRUE(NonzeroCells().empty());
}

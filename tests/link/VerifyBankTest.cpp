// Bank verification against the gateway: what the operator is told of cells
// a map cannot hold. Runs over a pseudo-terminal on Linux and over Wine's COM
// port on Windows: GatewayTest.h is each build's own.
#include "image/ConfigImage.h"
#include "link/VerifyBank.h"

#include <GatewayTest.h>

using namespace modLumentorMGW;

TEST_F(GatewayTest, Bank0CellsAbove255EachOfTheFirstTenThenOneSummary)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    const std::pair<int, QString> cases[] = {
        {10, ""}, {11, "1 More Cell Above 255 In Memory Bank 0"}, {5000, "4990 More Cells Above 255 In Memory Bank 0"}};
    for (const auto &[cells, summary] : cases) {
        SCOPED_TRACE(cells);
        ClearImage();
        boxes.Clear();
        Boxes expected;
        for (int32_t a = 100; a < 100 + cells; ++a) {
            ImageSet(0, a, int16_t(256 + a % 7));
            if (a < 110)
                expected.push_back({QString::number(256 + a % 7) + " A:" + QString::number(a), 0, "LumentorMGW"});
        }
        if (!summary.isEmpty())
            expected.push_back({summary, 0, "LumentorMGW"});
        ImageSet(1, 4096, 300); // bank 1 is compared, never reported
        EXPECT_EQ(VerifyBank(0), 61);
        EXPECT_NE(VerifyBank(1), 0);
        EXPECT_EQ(boxes.boxes, expected);
    }
}

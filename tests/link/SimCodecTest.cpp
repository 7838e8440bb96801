// The simulator's own framing against the worked frames, so that a mistake
// shared with the program cannot pass both sides.
#include "gatesim/Codec.h"

#include <gtest/gtest.h>
#include <vector>

using namespace gatesim;

TEST(SimulatorCodec, ReadsAndWritesTheWorkedFrames)
{
    std::string command;
    ASSERT_TRUE(ParseCommandFrame("[3C003600$*]", &command));
    EXPECT_EQ(command, "3600$*");
    ASSERT_TRUE(ParseCommandFrame("[D3003F00000FFFF]", &command));
    EXPECT_EQ(command, "3F00000FFFF");
    ASSERT_TRUE(ParseCommandFrame("[6E0039000003F]", &command));
    EXPECT_EQ(command, "39000003F");
    EXPECT_EQ(CommandFrame("3600$*"), "[3C003600$*]");
    EXPECT_EQ(ReplyFrame("00"), "[F500]");

    EXPECT_FALSE(ParseCommandFrame("[3D003600$*]", &command)); // wrong sum
    EXPECT_FALSE(ParseCommandFrame("[3C013600$*]", &command)); // no "00"
    EXPECT_FALSE(ParseCommandFrame("[3C003600$*", &command));
}

TEST(SimulatorCodec, RangeSumMatchesTheExamples)
{
    std::vector<uint8_t> bank(65536, 0);
    EXPECT_EQ(RangeSum(bank.data(), 0, 65535), 0x38E159AAu);
    bank[0] = 1;
    EXPECT_EQ(RangeSum(bank.data(), 0, 65535), 0x79168304u);
}

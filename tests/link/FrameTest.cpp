// Hex helpers, frames, reply judgement and bank checksums against the worked
// examples of the protocol, on the program's side and on the simulator's, so
// that a mistake shared by both cannot pass.
#include "gatesim/Codec.h"
#include "image/ConfigImage.h"
#include "link/BankChecksum.h"
#include "link/Frame.h"
#include "link/Hex.h"

#include <gtest/gtest.h>

using namespace modLumentorMGW;

TEST(Hex, FormatsLowBitsAndReadsLeadingDigits)
{
    EXPECT_EQ(Hex2(300) + Hex2(-1) + Hex4(64) + Hex4(0x12345), "2CFF00402345");
    EXPECT_EQ(HexVal4(QStringLiteral("FFFF")), 65535);
    EXPECT_EQ(HexVal2(QStringLiteral("a5")), 0xA5);
    EXPECT_EQ(HexVal2(QStringLiteral("7G")), 7);
    EXPECT_EQ(HexVal2(QStringLiteral("ZZ")), 0);
    // Raw text: never past the given length.
    EXPECT_EQ(HexVal2("AB", 1), 0xA);
    EXPECT_EQ(HexVal4("12345", 5), 0x1234);
}

TEST(Frame, BothSidesFrameTheWorkedExamples)
{
    QByteArray block = "3810040" "3F";
    for (int i = 0; i < 64; ++i)
        block += Hex2(int16_t(i * 3)).toLatin1();
    const std::string blockFrame = CommandFrame(block).toStdString();
    EXPECT_EQ(blockFrame.size(), 143u);
    const std::pair<std::string, std::string> examples[] = {
        {"3600$*", "[3C003600$*]"}, {"3F00000FFFF", "[D3003F00000FFFF]"}, {"39000003F", "[6E0039000003F]"},
        {block.toStdString(), blockFrame}};
    for (const auto &[command, frame] : examples) {
        EXPECT_EQ(CommandFrame(QByteArray::fromStdString(command)).toStdString(), frame);
        EXPECT_EQ(gatesim::CommandFrame(command), frame);
        std::string parsed;
        EXPECT_TRUE(gatesim::ParseCommandFrame(frame, &parsed) && parsed == command) << frame;
    }
    std::string parsed;
    EXPECT_FALSE(gatesim::ParseCommandFrame("[3D003600$*]", &parsed)); // wrong sum
    EXPECT_EQ(gatesim::ReplyFrame("00"), "[F500]");
}

TEST(Frame, RepliesAreJudgedWithinTheReplyAndTheTable)
{
    const std::pair<QByteArray, bool> replies[] = {
        {"[F500]", true}, {"[f500]", true}, {"[F600]", false}, {"[ZZ00]", false},
        {"[F500]00", false}, // extras are checksummed too
        {"", false}, {"[", false}, {"[F", false}};
    for (const auto &[reply, agrees] : replies)
        EXPECT_EQ(ReplyChecksumAgrees(reply), agrees) << reply.constData();

    // A reply that fills the 401-entry table exactly is judged as usual; one
    // character more and it is refused, even with a checksum right over all.
    const std::string fits = gatesim::ReplyFrame(std::string(401 - 4, '7'));
    ASSERT_EQ(fits.size(), 401u);
    EXPECT_TRUE(ReplyChecksumAgrees(QByteArray::fromStdString(fits)));
    EXPECT_FALSE(ReplyChecksumAgrees(QByteArray::fromStdString(gatesim::ReplyFrame(std::string(402 - 4, '7')))));
}

TEST(BankChecksum, BothSidesGiveTheWorkedValues)
{
    ClearImage();
    std::vector<uint8_t> bank(65536, 0);
    EXPECT_EQ(BankChecksum(0), 0x38E159AAu);
    EXPECT_EQ(gatesim::RangeSum(bank.data(), 0, 65535), 0x38E159AAu);
    ImageSet(0, 0, 1);
    bank[0] = 1;
    EXPECT_EQ(BankChecksum(0), 0x79168304u);
    EXPECT_EQ(gatesim::RangeSum(bank.data(), 0, 65535), 0x79168304u);
    EXPECT_EQ(BankChecksum(1), 0x38E159AAu);
}

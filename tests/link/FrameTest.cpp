// Hex helpers, frame checksum and layout, reply judgement and the bank
// checksum, against the worked examples of the protocol.
#include "gatesim/Codec.h"
#include "image/ConfigImage.h"
#include "link/BankChecksum.h"
#include "link/Frame.h"
#include "link/Hex.h"

#include <gtest/gtest.h>

using namespace modLumentorMGW;

TEST(Hex, FormatsLowBitsAndReadsLeadingDigits)
{
    EXPECT_EQ(Hex2(5), "05");
    EXPECT_EQ(Hex2(255), "FF");
    EXPECT_EQ(Hex2(300), "2C");
    EXPECT_EQ(Hex2(-1), "FF");
    EXPECT_EQ(Hex4(0), "0000");
    EXPECT_EQ(Hex4(64), "0040");
    EXPECT_EQ(Hex4(65472), "FFC0");
    EXPECT_EQ(Hex4(0x12345), "2345");
    EXPECT_EQ(HexVal4(QStringLiteral("FFFF")), 65535);
    EXPECT_EQ(HexVal2(QStringLiteral("0A")), 10);
    EXPECT_EQ(HexVal2(QStringLiteral("ZZ")), 0);
    EXPECT_EQ(HexVal2(QStringLiteral("a5")), 0xA5);
    EXPECT_EQ(HexVal2(QStringLiteral("7G")), 7);
    EXPECT_EQ(HexVal2(QStringLiteral("123")), 0x12);
    EXPECT_EQ(HexVal2(QString()), 0);
    // Raw text: never past the given length.
    EXPECT_EQ(HexVal2("AB", 1), 0xA);
    EXPECT_EQ(HexVal4("12345", 5), 0x1234);
    EXPECT_EQ(HexVal4("FF", 2), 0xFF);
}

TEST(Frame, CommandFramesMatchTheWorkedExamples)
{
    EXPECT_EQ(FrameChecksum("003600$*]", 9), 0x3C);
    EXPECT_EQ(CommandFrame("3600$*"), "[3C003600$*]");
    EXPECT_EQ(CommandFrame("3F00000FFFF"), "[D3003F00000FFFF]");
    EXPECT_EQ(CommandFrame("39000003F"), "[6E0039000003F]");

    QByteArray block = "3810040" "3F";
    for (int i = 0; i < 64; ++i)
        block += Hex2(int16_t(i * 3)).toLatin1();
    const QByteArray frame = CommandFrame(block);
    EXPECT_EQ(frame.size(), 143);
    EXPECT_EQ(frame.toStdString(), gatesim::CommandFrame(block.toStdString()));
}

TEST(Frame, RepliesAreJudgedWithinTheReplyAndTheTable)
{
    EXPECT_TRUE(ReplyChecksumAgrees("[F500]"));
    EXPECT_TRUE(ReplyChecksumAgrees("[f500]"));
    EXPECT_FALSE(ReplyChecksumAgrees("[F600]"));
    EXPECT_FALSE(ReplyChecksumAgrees("[ZZ00]"));
    EXPECT_FALSE(ReplyChecksumAgrees("[F500]00")); // extras are checksummed too
    EXPECT_FALSE(ReplyChecksumAgrees(""));
    EXPECT_FALSE(ReplyChecksumAgrees("["));
    EXPECT_FALSE(ReplyChecksumAgrees("[F"));

    // A reply that fills the 401-entry table exactly is judged as usual; one
    // character more and it is refused, even with a checksum right over all.
    const std::string fits = gatesim::ReplyFrame(std::string(401 - 4, '7'));
    const std::string over = gatesim::ReplyFrame(std::string(402 - 4, '7'));
    ASSERT_EQ(fits.size(), 401u);
    EXPECT_TRUE(ReplyChecksumAgrees(QByteArray::fromStdString(fits)));
    EXPECT_FALSE(ReplyChecksumAgrees(QByteArray::fromStdString(over)));
}

TEST(BankChecksum, MatchesTheExamplesAndTakesLargeValuesWhole)
{
    ClearImage();
    EXPECT_EQ(BankChecksum(0), 0x38E159AAu);
    EXPECT_EQ(BankChecksum(1), 0x38E159AAu);
    ImageSet(0, 0, 1);
    EXPECT_EQ(BankChecksum(0), 0x79168304u);
    EXPECT_EQ(BankChecksum(1), 0x38E159AAu);

    // 300 enters whole: the 16-bit-halves form, worked here by hand.
    ClearImage();
    ImageSet(1, 4096, 300);
    uint32_t upper = 0xFFFF, lower = 0xFFFF;
    for (int a = 0; a < 65536; ++a) {
        lower ^= (a == 4096 ? 300u : 0u);
        const bool carry = lower & 1;
        lower = ((upper & 1) ? lower + 65536 : lower) / 2;
        upper /= 2;
        if (carry) {
            lower ^= 0xA001;
            upper ^= 0xEFF5;
        }
    }
    std::vector<std::pair<int32_t, int16_t>> reported;
    EXPECT_EQ(BankChecksum(1, [&](int32_t a, int16_t v) { reported.push_back({a, v}); }),
              (upper << 16) | lower);
    EXPECT_EQ(reported, (std::vector<std::pair<int32_t, int16_t>> {{4096, 300}}));
}

// Bank verification against the simulator's own checksum of its memory.
#include "common/GatewayTest.h"

#include "gatesim/Codec.h"
#include "link/VerifyBank.h"

using namespace modLumentorMGW;
using gatesim::Fault;
using gatesim::FaultKind;

namespace {
Fault BankFault(FaultKind kind, const std::string &prefix, uint32_t mask = 0)
{
    Fault f;
    f.kind = kind;
    f.prefix = prefix;
    f.xorMask = mask;
    return f;
}
} // namespace

TEST_F(GatewayTest, VerifyBankAgreesWithTheGateway)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    EXPECT_EQ(VerifyBank(0), 0);
    EXPECT_EQ(VerifyBank(1), 0);
    const std::vector<std::string> expected = {"[D3003F00000FFFF]", gatesim::CommandFrame("3F10000FFFF")};
    EXPECT_EQ(Journal(), expected);

    ImageSet(0, 44, 1);
    ImageSet(1, 65535, 255);
    gateway.sim.Memory().SetCell(0, 44, 1);
    gateway.sim.Memory().SetCell(1, 65535, 255);
    EXPECT_EQ(VerifyBank(0), 0);
    EXPECT_EQ(VerifyBank(1), 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(GatewayTest, VerifyBankNamesEachFailure)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    gateway.sim.ArmFault(BankFault(FaultKind::BadChecksum, "3F0"));
    EXPECT_EQ(VerifyBank(0), 52);
    gateway.sim.ArmFault(BankFault(FaultKind::BadChecksum, "3F1"));
    EXPECT_EQ(VerifyBank(1), 52);

    gateway.sim.ArmFault(BankFault(FaultKind::WrongBankSum, "", 0x00010000));
    EXPECT_EQ(VerifyBank(0), 61);
    gateway.sim.ArmFault(BankFault(FaultKind::WrongBankSum, "", 0x00000001));
    EXPECT_EQ(VerifyBank(0), 62);
    gateway.sim.ArmFault(BankFault(FaultKind::WrongBankSum, "", 0x80000000));
    EXPECT_EQ(VerifyBank(1), 63);
    gateway.sim.ArmFault(BankFault(FaultKind::WrongBankSum, "", 0x00008000));
    EXPECT_EQ(VerifyBank(1), 64);

    // Upper halves are compared first.
    gateway.sim.ArmFault(BankFault(FaultKind::WrongBankSum, "", 0x00010001));
    EXPECT_EQ(VerifyBank(1), 63);
    EXPECT_EQ(Journal().size(), 7u);
}

TEST_F(GatewayTest, VerifyBankReportsBank0CellsAbove255AndStillCompares)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    ImageSet(0, 4096, 300);
    ImageSet(1, 4096, 300);
    // What a download leaves in the gateway: the low byte.
    gateway.sim.Memory().SetCell(0, 4096, 300 & 0xFF);
    gateway.sim.Memory().SetCell(1, 4096, 300 & 0xFF);

    size_t sentBeforeBox = 0;
    boxes.onBox = [&](const RecordedBox &) { sentBeforeBox = Journal().size(); };
    const int16_t bank0 = VerifyBank(0);
    EXPECT_TRUE(bank0 == 61 || bank0 == 62) << bank0;
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "300 A:4096");
    EXPECT_EQ(boxes.boxes[0].style, 0);
    EXPECT_EQ(boxes.boxes[0].title, "LumentorMGW");
    EXPECT_EQ(sentBeforeBox, 1u);

    const int16_t bank1 = VerifyBank(1);
    EXPECT_TRUE(bank1 == 63 || bank1 == 64) << bank1;
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(GatewayTest, ManyBank0CellsAbove255GiveTwoBoxesNotThousands)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    for (int32_t a = 100; a < 5100; ++a)
        ImageSet(0, a, int16_t(256 + a % 7));
    EXPECT_EQ(VerifyBank(0), 61);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, "258 A:100");
    EXPECT_EQ(boxes.boxes[1].text, "4999 More Cells Above 255 In Memory Bank 0");
    EXPECT_EQ(boxes.boxes[1].style, 0);
}

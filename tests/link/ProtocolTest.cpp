// Frames, reply judgement and bank checksums against the worked examples of
// the protocol, on the program's side and on the simulator's, so that a
// mistake shared by both cannot pass. Built for Windows too.
#include "gatesim/Codec.h"
#include "image/ConfigImage.h"
#include "link/BankChecksum.h"
#include "link/Frame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace modLumentorMGW;

TEST(Frame, BothSidesFrameAndJudgeTheWorkedExamples)
{
    const std::pair<std::string, std::string> examples[] = {
        {"3600$*", "[3C003600$*]"}, {"3F00000FFFF", "[D3003F00000FFFF]"}, {"39000003F", "[6E0039000003F]"}};
    for (const auto &[command, frame] : examples) {
        EXPECT_EQ(CommandFrame(QByteArray::fromStdString(command)).toStdString(), frame);
        EXPECT_EQ(gatesim::CommandFrame(command), frame);
    }
    // Extras are checksummed too; a reply past the 401-entry table is refused
    // even with a checksum right over all.
    const std::pair<QByteArray, bool> replies[] = {
        {"[F500]", true}, {"[f500]", true}, {"[F600]", false}, {"[F500]00", false}, {"[F", false},
        {QByteArray::fromStdString(gatesim::ReplyFrame(std::string(401 - 4, '7'))), true},
        {QByteArray::fromStdString(gatesim::ReplyFrame(std::string(402 - 4, '7'))), false}};
    for (const auto &[reply, agrees] : replies)
        EXPECT_EQ(ReplyChecksumAgrees(reply), agrees) << reply.left(20).constData();
}

TEST(BankChecksum, BothSidesGiveTheWorkedValues)
{
    ClearImage();
    std::vector<uint8_t> bank(65536, 0);
    EXPECT_EQ(BankChecksum(1), 0x38E159AAu);
    EXPECT_EQ(gatesim::RangeSum(bank.data(), 0, 65535), 0x38E159AAu);
    ImageSet(0, 0, 1);
    bank[0] = 1;
    EXPECT_EQ(BankChecksum(0), 0x79168304u);
    EXPECT_EQ(gatesim::RangeSum(bank.data(), 0, 65535), 0x79168304u);
}

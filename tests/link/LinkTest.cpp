// The link: frames, reply judgement and bank checksums against the worked
// examples of the protocol, on the program's side and on the simulator's, so
// that a mistake shared by both cannot pass; then opening the port, the
// reply's time and bank verification, over a real pseudo-terminal against the
// simulator. Frames byte for byte, split and stale replies, vanishing ports
// and the verification codes are tested through the window's transfers.
#include "common/DrivenClock.h"
#include "common/MsgBoxRecorder.h"
#include "common/SimulatedGateway.h"
#include "gatesim/Codec.h"
#include "image/ConfigImage.h"
#include "link/BankChecksum.h"
#include "link/Frame.h"
#include "image/Hex.h"
#include "link/MSComm.h"
#include "link/VerifyBank.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>


using namespace modLumentorMGW;
using gatesim::FaultKind;

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

namespace {
// An empty image, no last reply, a simulated gateway behind port 1 and every message box recorded.
class GatewayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearImage();
        LastReply.clear();
    }
    std::vector<std::string> Journal() const { return gateway.sim.Journal(); }

    SimulatedGateway gateway;
    MsgBoxRecorder boxes;
};

std::string Str(const QByteArray &bytes) { return bytes.toStdString(); }
} // namespace

// Read back from the device while the port is open. The line starts with
// other settings, so only what the port sets can pass.
TEST_F(GatewayTest, PortOpensOnItsDeviceWithTheLineSettingsAndRts)
{
    EXPECT_FALSE(SendCommand("3600$*", 6)); // closed: fails at once, sends nothing
    const int line = open(gateway.sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    termios tio {};
    tcgetattr(line, &tio);
    cfsetspeed(&tio, B9600);
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
    tio.c_iflag |= IXON | IXOFF;
    tcsetattr(line, TCSANOW, &tio);

    ASSERT_TRUE(OpenGatewayPort(1)); // the pseudo-terminal's refusal of RTS is no error
    tcgetattr(line, &tio);
    close(line);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B38400));
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B38400));
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_TRUE(comMGW.RTSEnable());
    CloseGatewayPort();
    CloseGatewayPort();
    EXPECT_FALSE(comMGW.PortOpen());
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(GatewayTest, ReplyGets5000MsFromTheFrameAStalledWriteIncluded)
{
    DrivenClock clock(gateway.sim);
    ASSERT_TRUE(OpenGatewayPort(1));
    gatesim::Fault late = MakeFault(FaultKind::Late); // late enough to be waited for
    late.delayMs = 100;
    late.count = 2;
    gateway.sim.ArmFault(late);
    clock.SeeInputAt(4999);
    ASSERT_TRUE(SendCommand("3F00000FFFF", 12));
    const QByteArray before = LastReply;
    clock.SeeInputAt(5000); // all there, but the time is up
    EXPECT_FALSE(SendCommand("3600$*", 6));
    EXPECT_EQ(LastReply, before);
    clock.SeeInputAt(-1);

    gatesim::Fault shortReply = MakeFault(FaultKind::Short);
    shortReply.length = 5;
    gateway.sim.ArmFault(shortReply);
    clock.waits.clear();
    EXPECT_FALSE(SendCommand("3601$*", 6));
    EXPECT_EQ(clock.Elapsed(), 5000);
    EXPECT_EQ(clock.waits.front(), 5000);
    EXPECT_EQ(LastReply, before);
    // Characters left over never count towards the next reply.
    ASSERT_TRUE(SendCommand("3610$*", 6));
    EXPECT_EQ(Str(LastReply), "[F500]");

    // A line that takes nothing more: 5000 ms in all, plus at most the
    // frame's own 3.125 ms on the line, rounded up.
    gateway.sim.Stall(true);
    const int32_t stalledAt = clock.Now();
    EXPECT_FALSE(SendCommand("3611$*", 6));
    EXPECT_GE(clock.Now() - stalledAt, 5000);
    EXPECT_LE(clock.Now() - stalledAt, 5004);
    gateway.sim.Stall(false);

    // A refused write ends the transaction at once.
    gateway.sim.Disconnect();
    const int32_t goneAt = clock.Now();
    EXPECT_FALSE(SendCommand("3611$*", 6));
    EXPECT_EQ(clock.Now(), goneAt);
}

TEST_F(GatewayTest, Bank0CellsAbove255EachOfTheFirstTenThenOneSummary)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    auto shown = [](int cells) {
        Boxes expected;
        for (int a = 100; a < 100 + std::min(cells, 10); ++a)
            expected.push_back({QString::number(256 + a % 7) + " A:" + QString::number(a), 0, "LumentorMGW"});
        return expected;
    };
    const std::pair<int, QString> cases[] = {
        {2, ""}, {10, ""}, {11, "1 More Cell Above 255 In Memory Bank 0"},
        {5000, "4990 More Cells Above 255 In Memory Bank 0"}};
    for (const auto &[cells, summary] : cases) {
        SCOPED_TRACE(cells);
        ClearImage();
        boxes.Clear();
        for (int32_t a = 100; a < 100 + cells; ++a)
            ImageSet(0, a, int16_t(256 + a % 7));
        ImageSet(1, 4096, 300); // bank 1 is compared, never reported
        EXPECT_EQ(VerifyBank(0), 61);
        EXPECT_NE(VerifyBank(1), 0);
        Boxes expected = shown(cells);
        if (!summary.isEmpty())
            expected.push_back({summary, 0, "LumentorMGW"});
        EXPECT_EQ(boxes.boxes, expected);
    }
}

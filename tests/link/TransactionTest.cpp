// Opening the port and the command/reply transaction, over a real
// pseudo-terminal against the simulator.
#include "common/GatewayTest.h"

#include "gatesim/Codec.h"
#include "link/MSComm.h"
#include "link/PortDevice.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace modLumentorMGW;
using gatesim::Fault;
using gatesim::FaultKind;

namespace {
std::string Str(const QByteArray &bytes)
{
    return bytes.toStdString();
}

Fault MakeFault(FaultKind kind, const std::string &prefix = std::string())
{
    Fault f;
    f.kind = kind;
    f.prefix = prefix;
    return f;
}

} // namespace

TEST_F(GatewayTest, PortOpensOnItsDeviceAndReportsFailure)
{
#ifndef Q_OS_WIN
    EXPECT_EQ(PortDevice(2), "/dev/ttyS1");
#endif
    QTemporaryDir dir;
    SetPortDevice(5, dir.filePath("no-such-port"));
    EXPECT_FALSE(OpenGatewayPort(5));
    SetPortDevice(5, QString());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Unable To Open Port");
    EXPECT_EQ(boxes.boxes[0].style, 16);
    EXPECT_EQ(boxes.boxes[0].title, "Port Error");

    EXPECT_FALSE(SendCommand("3600$*", 6)); // closed: fails at once, sends nothing
    ASSERT_TRUE(OpenGatewayPort(1));         // the pseudo-terminal's refusal of RTS is no error
    EXPECT_TRUE(comMGW.PortOpen());
    EXPECT_EQ(comMGW.Settings(), "38400,N,8,1");
    EXPECT_EQ(boxes.boxes.size(), 1u);
    CloseGatewayPort();
    CloseGatewayPort();
    EXPECT_FALSE(comMGW.PortOpen());
    EXPECT_TRUE(Journal().empty());
}

TEST_F(GatewayTest, FramesGoOutByteForByteAndRepliesComeBack)
{
    gateway.sim.Memory().SetCell(1, 0x7FFF, 9); // bank 1, lower half
    gateway.sim.Memory().SetCell(1, 0x8000, 9); // bank 1, upper half
    ASSERT_TRUE(OpenGatewayPort(1));
    ASSERT_TRUE(SendCommand("3611$*", 6));
    EXPECT_EQ(Str(LastReply), "[F500]");
    EXPECT_EQ(gateway.sim.Memory().Cell(1, 0x7FFF), 9);
    EXPECT_EQ(gateway.sim.Memory().Cell(1, 0x8000), 0);

    std::string block = "38000403F", data;
    for (int i = 0; i < 64; ++i)
        data += gatesim::HexDigits(uint32_t(200 + i), 2);
    ASSERT_TRUE(SendCommand(QString::fromStdString(block + data), 6));
    ASSERT_TRUE(SendCommand("39000403F", 132));
    EXPECT_EQ(Str(LastReply), gatesim::ReplyFrame(data));
    ASSERT_TRUE(SendCommand("39000003F", 132));
    EXPECT_EQ(Str(LastReply), gatesim::ReplyFrame(std::string(128, '0')));
    ASSERT_TRUE(SendCommand("3F10000FFFF", 12));
    EXPECT_EQ(LastReply.size(), 12);

    const std::vector<std::string> expected = {
        gatesim::CommandFrame("3611$*"), gatesim::CommandFrame(block + data),
        gatesim::CommandFrame("39000403F"), "[6E0039000003F]", gatesim::CommandFrame("3F10000FFFF")};
    EXPECT_EQ(Journal(), expected);
    EXPECT_EQ(Journal()[1].size(), 143u);
}

TEST_F(GatewayTest, RepliesAreRejectedOnTheirChecksumWithoutRetry)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    gateway.sim.ArmFault(MakeFault(FaultKind::BadChecksum));
    EXPECT_FALSE(SendCommand("3600$*", 6));
    EXPECT_EQ(Str(LastReply), "[0A00]"); // the rejected reply is kept

    Fault letters = MakeFault(FaultKind::BadChecksum);
    letters.text = "ZZ";
    gateway.sim.ArmFault(letters);
    EXPECT_FALSE(SendCommand("3601$*", 6));
    EXPECT_EQ(Str(LastReply), "[ZZ00]");

    gateway.sim.ArmFault(MakeFault(FaultKind::Trailing));
    EXPECT_FALSE(SendCommand("3610$*", 6));
    EXPECT_EQ(Str(LastReply), "[F500]00");

    // Checksum right over all 450 characters, but past the code table.
    gateway.sim.ArmFault(MakeFault(FaultKind::Overlong));
    EXPECT_FALSE(SendCommand("39000003F", 132));
    EXPECT_EQ(LastReply.size(), 450);
    EXPECT_EQ(Journal().size(), 4u);
}

TEST_F(GatewayTest, SlowOrSplitRepliesInTimeAreAccepted)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    Fault split = MakeFault(FaultKind::Split, "39");
    split.pieces = 4;
    split.gapMs = 30;
    gateway.sim.ArmFault(split);
    EXPECT_TRUE(SendCommand("39000003F", 132));
    EXPECT_EQ(Str(LastReply), gatesim::ReplyFrame(std::string(128, '0')));

    Fault late = MakeFault(FaultKind::Late);
    late.delayMs = 50;
    gateway.sim.ArmFault(late);
    EXPECT_TRUE(SendCommand("3600$*", 6));

    // A cell that reads back changed still comes in a sound frame.
    Fault changed = MakeFault(FaultKind::ChangedCell);
    changed.cell = 2;
    changed.delta = 0x41;
    gateway.sim.ArmFault(changed);
    EXPECT_TRUE(SendCommand("3600$*", 6)); // not a "39": the fault waits
    EXPECT_TRUE(SendCommand("39000003F", 132));
    EXPECT_EQ(Str(LastReply), gatesim::ReplyFrame("0000" "41" + std::string(122, '0')));
}

TEST_F(GatewayTest, StaleInputIsDiscardedBeforeTheFrameIsSent)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    const std::string stale = gatesim::ReplyFrame(std::string(128, 'A'));
    gateway.sim.Inject(stale);
    // In the OS's buffer, not yet taken in by the port object.
    ASSERT_TRUE(gateway.sim.WaitForUnread(int(stale.size()), 2000));
    ASSERT_TRUE(SendCommand("39000003F", 132));
    EXPECT_EQ(Str(LastReply), gatesim::ReplyFrame(std::string(128, '0')));
}

// The suite's one real wait of the whole time-out.
TEST_F(GatewayTest, ShortReplyTimesOutAndLeavesLastReply)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    ASSERT_TRUE(SendCommand("3F00000FFFF", 12));
    const QByteArray before = LastReply;

    Fault shortReply = MakeFault(FaultKind::Short);
    shortReply.length = 5;
    gateway.sim.ArmFault(shortReply);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(SendCommand("3601$*", 6));
    EXPECT_GE(timer.elapsed(), ReplyTimeoutMs);
    EXPECT_EQ(LastReply, before);

    // The five characters left over never count towards the next reply.
    ASSERT_TRUE(SendCommand("3610$*", 6));
    EXPECT_EQ(Str(LastReply), "[F500]");
    EXPECT_EQ(Journal().size(), 3u);
}

TEST_F(GatewayTest, PortThatDisappearsFailsTheTransactionAtOnce)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    ASSERT_TRUE(SendCommand("3600$*", 6));
    gateway.sim.ArmFault(MakeFault(FaultKind::Vanish, "38"));
    const QByteArray before = LastReply;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(SendCommand("38000003F" + QString(128, '0'), 6));
    EXPECT_LT(timer.elapsed(), ReplyTimeoutMs); // not a time-out: no reply can come
    EXPECT_EQ(LastReply, before);
    EXPECT_FALSE(gateway.sim.Connected());
    EXPECT_FALSE(SendCommand("3601$*", 6));
    CloseGatewayPort();
    EXPECT_FALSE(comMGW.PortOpen());
}

TEST_F(GatewayTest, LineClosedFromOutsideFailsTheNextTransaction)
{
    ASSERT_TRUE(OpenGatewayPort(1));
    gateway.sim.Disconnect();
    EXPECT_FALSE(SendCommand("3600$*", 6));
    EXPECT_TRUE(Journal().empty());
    CloseGatewayPort();
    EXPECT_FALSE(OpenGatewayPort(1));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

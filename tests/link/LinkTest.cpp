// The link: opening the port, the reply's time with stale input ahead of
// it and replies that are no answer, over a real pseudo-terminal against the
// simulator. The protocol's worked examples and bank verification, which run
// on Windows too, are in ProtocolTest.cpp and VerifyBankTest.cpp; frames byte
// for byte, late replies, vanishing ports and the verification codes are
// tested through the window's transfers.
#include "common/DrivenClock.h"
#include "gatesim/Codec.h"
#include "link/Transaction.h"

#include <GatewayTest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace modLumentorMGW;
using gatesim::FaultKind;

// Read back from the device while the port is open. The line starts with
// other settings, so only what the port sets can pass. A pseudo-terminal
// forces 8 bits without parity enable, so the parity shows in PARODD and
// CMSPAR alone: none leaves PARODD as it was, even or space clear it, odd
// sets it, mark adds CMSPAR. Any other parity letter is refused and the port
// keeps its settings.
TEST_F(GatewayTest, PortOpensOnItsDeviceWithTheLineSettingsAndRts)
{
    EXPECT_FALSE(SendCommand("3600$*", 6)); // closed: fails at once, sends nothing
    const int line = open(gateway.sim.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    const struct {
        tcflag_t before;      // PARODD on the line before
        const char *settings; // "": the gateway's own, as a transaction opens the port
        speed_t speed;
        tcflag_t parity;      // PARODD and CMSPAR as read back
    } table[] = {
        {PARODD, "", B38400, PARODD}, {0, "", B38400, 0},
        {0, "9600,O,8,1", B9600, PARODD}, {PARODD, "9600,e,8,1", B9600, 0}, {0, "9600,M,8,1", B9600, PARODD | CMSPAR},
        {PARODD, "9600,s,8,1", B9600, CMSPAR}, {PARODD, "9600,n,8,1", B9600, PARODD}};
    for (const auto &row : table) {
        SCOPED_TRACE(row.settings);
        termios tio {};
        tcgetattr(line, &tio);
        cfsetspeed(&tio, B1200);
        tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARODD | CMSPAR)) | CS7 | PARENB | row.before | CSTOPB | CRTSCTS;
        tio.c_iflag |= IXON | IXOFF;
        tcsetattr(line, TCSANOW, &tio);
        if (*row.settings) {
            comMGW.SetCommPort(1);
            ASSERT_TRUE(comMGW.SetSettings(QString::fromLatin1(row.settings)));
            ASSERT_TRUE(comMGW.SetPortOpen(true));
        } else {
            ASSERT_TRUE(OpenGatewayPort(1)); // the pseudo-terminal's refusal of RTS is no error
        }
        tcgetattr(line, &tio);
        EXPECT_EQ(cfgetospeed(&tio), row.speed);
        EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS), CS8 | row.parity);
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
        EXPECT_EQ(comMGW.RTSEnable(), !*row.settings); // raised for the gateway
        CloseGatewayPort();
    }
    for (const char *bad : {"9600,X,8,1", "9600,,8,1", "9600,EO,8,1"})
        EXPECT_FALSE(comMGW.SetSettings(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(comMGW.Settings(), "9600,n,8,1");
    close(line);
    EXPECT_TRUE(gateway.sim.Journal().empty());
    EXPECT_EQ(boxes.Count(), 0);
}

// Input left on the line is gone before the frame, however many reads it
// takes (here more than two), so the reply is judged alone.
TEST_F(GatewayTest, ReplyIsReadAloneWithin5000MsOfTheFrameAStalledWriteIncluded)
{
    DrivenClock clock(gateway.sim);
    ASSERT_TRUE(OpenGatewayPort(1));
    gateway.sim.Inject(std::string(9000, '.') + "[F500]");
    for (int i = 0; i < 3000 && !gateway.sim.Idle(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    gatesim::Fault fault = MakeFault(FaultKind::Late); // late enough to be waited for
    fault.delayMs = 100;
    fault.count = 2;
    gateway.sim.ArmFault(fault);
    clock.SeeInputAt(4999);
    ASSERT_TRUE(SendCommand("3F00000FFFF", 12));
    const QByteArray before = LastReply;
    clock.SeeInputAt(5000); // all there, but the time is up
    EXPECT_FALSE(SendCommand("3600$*", 6));
    EXPECT_EQ(LastReply, before);

    // A line that takes nothing more: 5000 ms in all, plus at most the
    // frame's own 3.125 ms on the line, rounded up. Stalled, then silent,
    // the gateway sends nothing that could end a wait sooner.
    clock.SetQuietMs(40);
    gateway.sim.Stall(true);
    const int32_t stalledAt = clock.Now();
    EXPECT_FALSE(SendCommand("3611$*", 6));
    EXPECT_GE(clock.Now() - stalledAt, 5000);
    EXPECT_LE(clock.Now() - stalledAt, 5004);
    // Released 3000 ms in, both frames leave to a silent gateway: the reply
    // still has only the rest of the 5000 ms.
    fault = MakeFault(FaultKind::Silence);
    fault.count = 2;
    gateway.sim.ArmFault(fault);
    gateway.sim.ClearJournal();
    const int32_t releasedFrom = clock.Now();
    clock.At(releasedFrom + 3000, [&] { gateway.sim.Stall(false); });
    EXPECT_FALSE(SendCommand("3611$*", 6));
    EXPECT_TRUE(gateway.sim.WaitForJournal(2, 3000)); // both left
    EXPECT_GE(clock.Now() - releasedFrom, 5000);
    EXPECT_LE(clock.Now() - releasedFrom, 5004);
}

// The line refuses the frame (its far end gone between two commands): the
// transaction ends at once as the port going away, without the reply's time.
TEST_F(GatewayTest, RefusedFrameEndsTheTransactionAtOnceAsThePortGoingAway)
{
    DrivenClock clock(gateway.sim);
    ASSERT_TRUE(OpenGatewayPort(1));
    ASSERT_TRUE(SendCommand("3F00000FFFF", 12));
    EXPECT_EQ(PortWentAwayLine(), "");
    const std::string device = gateway.sim.SlavePath();
    gateway.sim.Disconnect();
    const int32_t before = clock.Now();
    EXPECT_FALSE(SendCommand("3F00000FFFF", 12));
    EXPECT_EQ(clock.Now() - before, 0);
    EXPECT_EQ(PortWentAwayLine(), QString::fromStdString("\r\nThe port " + device
                                                         + " went away: was the adapter unplugged?"));
    EXPECT_EQ(boxes.Count(), 0);
}

// A reply still coming when the port opens is waited out and dropped; a
// reply whose checksum agrees but whose form does not fit its command is no
// answer: wrong length, a bracket inside, checksum digits that are no digits.
TEST_F(GatewayTest, StaleAndMisshapenRepliesAreNeverTheAnswer)
{
    gateway.sim.SetPacing(true);
    gateway.sim.Inject(gatesim::ReplyFrame(std::string(296, '0'))); // 78 ms on the line
    ASSERT_TRUE(OpenGatewayPort(1));
    EXPECT_TRUE(SendCommand("3F00000FFFF", 12));
    EXPECT_EQ(LastReply, "[DC38E159AA]");
    gateway.sim.SetPacing(false);

    const std::pair<std::string, int16_t> misshapen[] = {
        {gatesim::ReplyFrame("0000"), 6}, {gatesim::ReplyFrame("0]"), 6},
        {gatesim::ReplyFrame("38E1[9AA"), 12}, {"[ZZ0F]", 6}}; // ZZ reads as 0, the sum of "0F]"
    for (const auto &[reply, length] : misshapen) {
        gatesim::Fault fault = MakeFault(FaultKind::Replace);
        fault.text = reply;
        fault.pieces = 1;
        gateway.sim.ArmFault(fault);
        EXPECT_FALSE(SendCommand(length == 6 ? "3600$*" : "3F00000FFFF", length)) << reply;
        EXPECT_EQ(LastReply.toStdString(), reply);
    }
}

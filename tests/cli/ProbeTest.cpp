// mgw probe against the simulator: one verdict for each line fault, its
// exit status, and what the operator reads.
#include "cli/MgwFixture.h"

#include "common/DrivenClock.h"
#include "link/MSComm.h"

#include <QRegularExpression>

#include <functional>

using namespace modLumentorMGW;

TEST_F(MgwTest, ProbeTellsEachLineFaultApart)
{
    struct Case {
        const char *line;
        std::function<void(gatesim::GateSim &)> arm;
        int status;
        size_t heard; // commands the gateway received
        const char *verdict;
        QString text;
    };
    const auto mode = [](gatesim::LineMode m) { return [m](gatesim::GateSim &sim) { sim.SetLineMode(m); }; };
    const Case cases[] = {
        {"healthy", mode(gatesim::LineMode::Gateway), 0, 5, "answers", "The gateway answers.\n"},
        {"silent", mode(gatesim::LineMode::Silent), 10, 1, "silent",
         "Nothing came back within 5000 ms.\nCheck that the gateway is powered, that the cable is plugged in at both "
         "ends, and that TX and RX are not crossed the wrong way (a null-modem cable or adapter where a straight one "
         "belongs, or the other way round).\n"},
        {"loopback", mode(gatesim::LineMode::Echo), 11, 0, "echo",
         "The line echoes what is sent: TX and RX are joined.\nA loopback plug is on the port, or a two-wire adapter "
         "echoes what it sends; connect the gateway's cable, or set the adapter not to echo.\n"},
        {"another speed", mode(gatesim::LineMode::WrongSpeed), 12, 5, "no_frame",
         "Characters came back, but no reply frame.\nThe device on this port speaks at another speed than 38400 baud, "
         "or it is not the gateway: check the gateway's port settings and that this is its port.\n"},
        {"two damaged", [](gatesim::GateSim &sim) {
             gatesim::Fault fault = MakeFault(gatesim::FaultKind::BadChecksum);
             fault.count = 2;
             sim.ArmFault(fault);
         }, 13, 5, "damaged",
         "Replies came back damaged: 2 of 5 checksums wrong.\nThe line is noisy: check the cable's screen and "
         "grounding, its length, and keep it away from mains and motor wiring.\n"},
    };
    DrivenClock clock(gateway.sim);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        gateway.sim.SetLineMode(gatesim::LineMode::Gateway);
        gateway.sim.ClearJournal();
        c.arm(gateway.sim);
        const Ran r = Mgw({"probe", "--port", Pty(), "--json"});
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.json["probe"].toObject()["verdict"].toString(), c.verdict);
        EXPECT_TRUE(r.err.endsWith(c.text)) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("Port: " + Pty() + "\nDevice: /dev/pts/")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("(pseudo-terminal)\nLatency timer: none; low latency: not taken by the driver\n"));
        EXPECT_EQ(Commands(), std::vector<std::string>(c.heard, "3F00000FFFF"));
        EXPECT_FALSE(comMGW.PortOpen());
    }
    const Ran closed = Mgw({"probe", "--port", dir.filePath("ttyUSB9"), "--json"});
    EXPECT_EQ(closed.status, 3);
    EXPECT_EQ(closed.json["probe"].toObject()["verdict"].toString(), "port_closed");
    EXPECT_TRUE(closed.err.startsWith("Port: " + dir.filePath("ttyUSB9") + "\nUnable To Open Port\nThere is no device "))
        << closed.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("record.jsonl"))); // a probe is no transfer
}

// An adapter that holds a short reply back 25 ms: the round trip shows it,
// and the estimate carries it into every block of a dense download.
TEST_F(MgwTest, ProbeMeasuresTheRoundTripAndTheTransfersTime)
{
    const QRegularExpression figures(
        "Bank checksum command: 5 of 5 answered; round trip median ([0-9.]+) ms, worst ([0-9.]+) ms\n"
        "Line time: command 17 characters 4.4 ms, reply 12 characters 3.1 ms\n"
        "On this line a dense download takes about ([0-9.]+) s, a full upload about ([0-9.]+) s\n");
    gateway.sim.SetPacing(true);
    gateway.sim.SetAdapterLatency(25);
    const Ran r = Mgw({"probe", "--port", Pty()});
    ASSERT_EQ(r.status, 0);
    const QRegularExpressionMatch m = figures.match(r.out);
    ASSERT_TRUE(m.hasMatch()) << r.out.toStdString();
    EXPECT_GE(m.captured(1).toDouble(), 4.4 + 25);
    EXPECT_GE(m.captured(2).toDouble(), m.captured(1).toDouble());
    // 2048 blocks of 143 + 6 characters (79.5 s on the wire), each reply 25 ms late at least.
    EXPECT_GE(m.captured(3).toDouble(), 79.5 + 2048 * 0.025 - 2048 * 0.0016);
    EXPECT_GE(m.captured(4).toDouble(), 78.4);
}

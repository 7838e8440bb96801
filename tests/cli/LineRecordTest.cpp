// The line log and the capture of real transfers against the simulator:
// what each line says and what Wireshark decodes with the shipped dissector.
#include "cli/MgwFixture.h"

#include "common/DrivenClock.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace modLumentorMGW;

namespace {
// The log's lines with each event's time (ms, three decimals) taken off.
QStringList Untimed(const QString &log, bool *timed)
{
    static const QRegularExpression time("^[0-9]+\\.[0-9]{3} ");
    QStringList lines = log.split('\n');
    *timed = lines.takeLast().isEmpty();
    for (QString &line : lines) {
        if (line.startsWith('#'))
            continue;
        *timed = *timed && line.contains(time);
        line.remove(time);
    }
    return lines;
}
} // namespace

TEST_F(MgwTest, LineLogSaysWhatEachFrameWas)
{
    const QString map = SampleMap();
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::BadChecksum, "381"));
    gateway.sim.Inject("stale]");
    ASSERT_TRUE(gateway.sim.WaitForUnread(6, 5000));
    const QString log = dir.filePath("line.log");
    const Ran r = Mgw({"download", map, "--port", Pty(), "--quiet", "--log", log});
    EXPECT_EQ(r.status, 4);
    bool timed = false;
    const QStringList lines = Untimed(QString::fromUtf8(ReadAll(log)), &timed);
    EXPECT_TRUE(timed);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"# mgw 1.6 line log", "# port " + Pty(),
                                            "# Device: " + QFileInfo(Pty()).canonicalFilePath() + " (pseudo-terminal)",
                                            "# line 38400,N,8,1, low latency not taken by the driver"}));
    // The frames as the gateway's command table has them; the second block's reply damaged.
    EXPECT_EQ(lines.mid(4), (QStringList{
                                "opened",
                                "received stale] stale input discarded (6 characters)",
                                "sent [3C003600$*]", "received [F500] checksum right",
                                "sent [5C003601$*]", "received [F500] checksum right",
                                "sent [EC003610$*]", "received [F500] checksum right",
                                "sent [8D003611$*]", "received [F500] checksum right",
                                "sent [510038000003F" + QString(16, '0') + "03" + QString(70, '0') + "01040B"
                                    + QString(34, '0') + "]",
                                "received [F500] checksum right",
                                "sent [AC0038110003F01" + QString(126, '0') + "]",
                                "received [0A00] checksum wrong (expected F5)",
                                "closed"}));
}

// tshark with the shipped dissector over the captures of a download and of
// an upload whose second block read comes back damaged.
TEST_F(MgwTest, WiresharkDecodesTheCapture)
{
    const QString tshark = QStandardPaths::findExecutable("tshark");
    if (tshark.isEmpty())
        GTEST_SKIP() << "tshark is not installed (Debian: apt-get install tshark)";
    const QString map = SampleMap();
    const QString down = dir.filePath("down.pcapng"), up = dir.filePath("up.pcapng");
    ASSERT_EQ(Mgw({"download", map, "--port", Pty(), "--quiet", "--capture", down}).status, 0);
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::BadChecksum, "3900040"));
    ASSERT_EQ(Mgw({"upload", dir.filePath("back.MGW"), "--port", Pty(), "--quiet", "--capture", up}).status, 71);

    const auto decode = [&](const QString &capture) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.path()); // whatever tshark keeps, it keeps in the test's folder
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        run.setProcessEnvironment(env);
        QStringList arguments{"-2", "-X", "lua_script:" MGW_DISSECTOR, "-r", capture, "-T", "fields", "-E", "separator=|"};
        for (const QString &field : QStringLiteral("frame.number frame.p2p_dir kind command bank address cells checksum_ok "
                                                   "checksum_expected request_in response_in bank_checksum payload").split(' '))
            arguments << "-e" << (field.startsWith("frame.") ? field : "lumentormgw." + field);
        run.start(tshark, arguments);
        EXPECT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        return QString::fromUtf8(run.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    };
    const QString block0 = QString(16, '0') + "03" + QString(70, '0') + "01040B" + QString(34, '0');
    EXPECT_EQ(decode(down), (QStringList{
                                "1|0|command|prepare|0|||1|||2||", "2|1|reply|prepare||||1||1|||00",
                                "3|0|command|prepare|0|||1|||4||", "4|1|reply|prepare||||1||3|||00",
                                "5|0|command|prepare|1|||1|||6||", "6|1|reply|prepare||||1||5|||00",
                                "7|0|command|prepare|1|||1|||8||", "8|1|reply|prepare||||1||7|||00",
                                "9|0|command|block write|0|0x0000|64|1|||10||" + block0,
                                "10|1|reply|block write||||1||9|||00",
                                "11|0|command|block write|1|0x1000|64|1|||12||01" + QString(126, '0'),
                                "12|1|reply|block write||||1||11|||00",
                                "13|0|command|bank checksum|0|0x0000||1|||14||",
                                "14|1|reply|bank checksum||||1||13||0x965a8246|965A8246",
                                "15|0|command|bank checksum|1|0x0000||1|||16||",
                                "16|1|reply|bank checksum||||1||15||0x73780f5c|73780F5C",
                            }));
    EXPECT_EQ(decode(up), (QStringList{
                              "1|0|command|block read|0|0x0000|64|1|||2||",
                              "2|1|reply|block read|||64|1||1|||" + block0,
                              "3|0|command|block read|0|0x0040|64|1|||4||",
                              "4|1|reply|block read|||64|0|6A|3|||" + QString(128, '0'),
                          }));
}

// A silent gateway's time-out in the log (on the driven clock), a reply cut
// short, and a port gone.
TEST_F(MgwTest, LineLogSaysWhenNothingCameOrThePortWentAway)
{
    const QString map = SampleMap();
    const QString log = dir.filePath("silent.log");
    gateway.sim.SetLineMode(gatesim::LineMode::Silent);
    DrivenClock clock(gateway.sim);
    EXPECT_EQ(Mgw({"verify", map, "--port", Pty(), "--log", log}).status, 52);
    bool timed = false;
    EXPECT_EQ(Untimed(QString::fromUtf8(ReadAll(log)), &timed).mid(4),
              (QStringList{"opened", "sent [D3003F00000FFFF]", "received time-out after 5000 ms", "closed"}));
    EXPECT_TRUE(timed);
    // Too little in time: what did come is in the log beside the time-out.
    gatesim::Fault shortReply = MakeFault(gatesim::FaultKind::Short, "3F");
    shortReply.length = 1;
    gateway.sim.SetLineMode(gatesim::LineMode::Gateway);
    gateway.sim.ArmFault(shortReply);
    EXPECT_EQ(Mgw({"verify", map, "--port", Pty(), "--log", log}).status, 52);
    EXPECT_EQ(Untimed(QString::fromUtf8(ReadAll(log)), &timed).mid(4),
              (QStringList{"opened", "sent [D3003F00000FFFF]", "received [ time-out after 5000 ms", "closed"}));
    // An adapter pulled while the gateway is asked: the log says the port went away.
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::Vanish));
    EXPECT_EQ(Mgw({"verify", map, "--port", Pty(), "--log", log}).status, 52);
    EXPECT_EQ(Untimed(QString::fromUtf8(ReadAll(log)), &timed).mid(4),
              (QStringList{"opened", "sent [D3003F00000FFFF]", "the port went away", "closed"}));
}

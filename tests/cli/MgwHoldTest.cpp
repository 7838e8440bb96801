// mgw holding on to a line that fails: the port coming back, a download
// resumed in a second run, retries, and what is refused.
#include "cli/MgwFixture.h"

#include "common/DrivenClock.h"

#include <QSerialPort>

#include <thread>

using namespace modLumentorMGW;
using gatesim::FaultKind;

class MgwHoldTest : public MgwTest {
protected:
    void SetUp() override
    {
        MgwTest::SetUp();
        link = dir.filePath("gw");
        ASSERT_TRUE(gateway.sim.SetLink(link.toStdString()));
        SetPortDevice(gateway.port, link); // the port as named: the link, followed afresh
    }

    // Bank 0 blocks 3 and 900, bank 1 block 876 (block 1,900 in transfer order).
    QString ThreeBlockMap(int16_t value = 0x21)
    {
        ClearImage();
        ConfigImage[2 * 200] = value;
        ConfigImage[2 * (900 * 64 + 63)] = 0x7E;
        ConfigImage[1 + 2 * (876 * 64 + 5)] = 0x5A;
        return Save(QStringLiteral("three%1.MGW").arg(value));
    }

    QString link;
};

TEST_F(MgwHoldTest, PortThatComesBackIsWaitedForInBothDirectionsAndTheBlockSentAgain)
{
    const QString map = ThreeBlockMap();
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, 50));
    const QString log = dir.filePath("hold.log");
    Ran r = Mgw({"download", map, "--port", link, "--wait-port", "5", "--quiet", "--log", log});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "The port " + link + " went away: plug the adapter back in (waiting 5 s)\n"
                     "The port " + link + " is back\nDownload Complete\n");
    const QString logged = QString::fromUtf8(ReadAll(log)); // told once each
    EXPECT_EQ(logged.count("went away"), 1);
    EXPECT_TRUE(logged.contains(" the port went away\n"));
    EXPECT_EQ(logged.count(" port " + link + " is back as /dev/pts/"), 1);
    EXPECT_EQ(Sent("36"), 4u);      // the gateway is not cleared again
    EXPECT_EQ(Sent("381DB00"), 2u); // the block whose answer never came, again
    EXPECT_EQ(FirstDifference(ConfigImage, gateway.sim.Memory()), -1);

    // Upload to standard output: the blocks read before are kept, and a
    // spoilt read is a retry of its own; the map is whole.
    gateway.sim.ClearJournal();
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 5, 50));
    gateway.sim.ArmFault(BlockFault(FaultKind::BadChecksum, 1030));
    r = Mgw({"upload", "-", "--port", link, "--wait-port", "5", "--retries", "1", "--quiet"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "The port " + link + " went away: plug the adapter back in (waiting 5 s)\n"
                     "The port " + link + " is back\nUpload Complete\n1 Retry\n");
    EXPECT_EQ(Sent("3900140"), 2u);
    EXPECT_EQ(Sent("39"), 2050u);
    EXPECT_EQ(r.bytes, ReadAll(map));
    EXPECT_EQ(gateway.sim.Returns(), 2);
}

// Ctrl+C or the time running out end the wait with today's messages and codes.
TEST_F(MgwHoldTest, WaitEndsOnCtrlCOrWhenItsTimeIsUp)
{
    const QString map = ThreeBlockMap();
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 3, 300));
    std::thread press([this] {
        WaitUntil([this] { return !gateway.sim.Connected(); });
        QThread::msleep(50); // mgw is in the wait by then
        mgw::Interrupted = 1;
    });
    Ran r = Mgw({"download", map, "--port", link, "--quiet"});
    press.join();
    mgw::Interrupted = 0;
    EXPECT_EQ(r.status, 130);
    EXPECT_TRUE(r.err.startsWith("The port " + link + " went away: plug the adapter back in (waiting 60 s)\n"
                                 "Manual Download Cancel.\n" + Warning)) << qPrintable(r.err);
    ASSERT_TRUE(WaitUntil([this] { return gateway.sim.Returns() == 1; }));

    QElapsedTimer took;
    took.start();
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 900, 3000));
    r = Mgw({"download", map, "--port", link, "--wait-port", "1", "--quiet"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(r.err.startsWith("The port " + link + " went away: plug the adapter back in (waiting 1 s)\n"
                                 "Download Error: 4\nThe port " + link + " went away: was the adapter unplugged?\n"
                                 + Warning)) << qPrintable(r.err);
    EXPECT_LT(took.elapsed(), 2500);
}

// The first run stops at block 1,900; the second sends from there on, with
// no clearing command; a third, and other maps and ports, are refused.
TEST_F(MgwHoldTest, DownloadResumesInASecondRunAndOtherResumesAreRefused)
{
    const QString map = ThreeBlockMap();
    const QString other = ThreeBlockMap(0x22);
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 1900, 0));
    // Its JSON's fields only (RunMgw): the schema is checked where a stopped download is first met.
    Ran r = RunMgw({"download", map, "--port", link, "--wait-port", "0", "--quiet", "--json"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(r.err.endsWith("To go on from block 1,901 of 2,048: mgw download " + map + " --port " + link
                               + " --resume\n")) << qPrintable(r.err);
    EXPECT_EQ(r.json["resumable_after"].toInt(), 1900);
    ASSERT_TRUE(WaitUntil([this] { return gateway.sim.Returns() == 1; }));

    const QString elsewhere = dir.filePath("ttyUSB9"), nothing = "mgw download: nothing to resume: ";
    const std::pair<QStringList, QString> refusals[] = {
        {{other, link}, nothing + "the last download through " + link + " was of another map (" + map + ")\n"},
        {{map, elsewhere}, nothing + "no download through " + elsewhere + " stopped part way; this map's download "
                                     "stopped through " + link + "\n"},
    };
    gateway.sim.ClearJournal();
    for (const auto &[files, said] : refusals) {
        r = Mgw({"download", files[0], "--port", files[1], "--resume"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, said) << qPrintable(r.err);
    }
    EXPECT_TRUE(Commands().empty());

    r = RunMgw({"download", map, "--port", link, "--resume", "--quiet", "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Resuming From Block 1,901 of 2,048\nDownload Complete\n");
    EXPECT_EQ(r.json["resumed_after"].toInt(), 1900);
    EXPECT_EQ(r.json["blocks"].toObject()["sent"].toInt(), 1);
    EXPECT_EQ(Commands().front().substr(0, 7), "381DB00");
    EXPECT_EQ(Commands().size(), 3u); // the block and both bank checks
    EXPECT_EQ(FirstDifference(ConfigImage, gateway.sim.Memory()), -1);

    gateway.sim.ClearJournal();
    r = Mgw({"download", map, "--port", link, "--resume"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, nothing + "the last download through " + link + " was complete\n");
    EXPECT_TRUE(Commands().empty());
}

// A spoilt reply is asked for again up to --retries times; the end says how many.
TEST_F(MgwHoldTest, RetriesSendASpoiltCommandAgainAndAreCounted)
{
    const QString map = ThreeBlockMap();
    DrivenClock clock(gateway.sim);
    struct Case { FaultKind kind; int count; const char *retries; int status; size_t sends; QString end; };
    const Case cases[] = {
        {FaultKind::BadChecksum, 1, "0", 4, 1, "Download Error: 4\n" + Warning},
        {FaultKind::BadChecksum, 3, "2", 4, 3, "Download Error: 4\n" + Warning + "2 Retries\n"},
        {FaultKind::Silence, 1, "1", 0, 2, "Download Complete\n1 Retry\n"},
        {FaultKind::Short, 1, "5", 0, 2, "Download Complete\n1 Retry\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.retries);
        gateway.sim.ClearFaults();
        gateway.sim.ClearJournal();
        gateway.sim.ArmFault(BlockFault(c.kind, 3, -1, c.count));
        const Ran r = Mgw({"download", map, "--port", link, "--retries", c.retries, "--quiet"});
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.startsWith(c.end)) << qPrintable(r.err);
        EXPECT_EQ(Sent("38000C0"), c.sends);
    }
}

// Another program opened the adapter first when it came back: this one
// fails as busy rather than share it.
TEST_F(MgwHoldTest, AdapterTakenByAnotherProgramWhenItComesBackFailsAsBusy)
{
    const QString map = ThreeBlockMap();
    std::unique_ptr<QSerialPort> other;
    gateway.sim.SetReturnHook([&](const std::string &path) {
        other = std::make_unique<QSerialPort>(QString::fromStdString(path));
        other->open(QIODevice::ReadWrite);
    });
    gateway.sim.ArmFault(BlockFault(FaultKind::Vanish, 900, 50));
    const Ran r = Mgw({"download", map, "--port", link, "--wait-port", "5", "--quiet"});
    ASSERT_TRUE(other && other->isOpen());
    EXPECT_EQ(r.status, 4);
    const QString device = QFileInfo(link).canonicalFilePath();
    EXPECT_TRUE(r.err.contains("Unable To Open Port\n" + device + " is busy: another program is using it."))
        << qPrintable(r.err);
    EXPECT_EQ(Sent("380E100"), 1u);
    other.reset();
}

// mgw against the gateway simulator on a pseudo-terminal: run in-process
// with its output captured, and as the real program where only a process
// shows it (Ctrl+C, exit statuses end to end).
#include "common/DrivenClock.h"
#include "common/TestFiles.h"
#include "transfer/TransferFixture.h"

#include "cli/Mgw.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QBuffer>
#include <QProcess>
#include <csignal>

using namespace modLumentorMGW;

namespace {
struct Ran {
    int status = -1;
    QString out, err;
};
} // namespace

// The window's transfer fixture: the simulator behind COM1 and Commands().
class MgwTest : public TransferTest {
protected:
    Ran Mgw(const QStringList &arguments)
    {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = mgw::RunMgw(arguments, mgw::Console{out, err, false});
        return {status, QString::fromUtf8(out.data()), QString::fromUtf8(err.data())};
    }

    // The image as it stands, saved as a map file in the test's folder.
    QString Save(const QString &name)
    {
        FileName = dir.filePath(name);
        EXPECT_TRUE(WriteImageFile());
        return FileName;
    }

    // Point 003 multi relay on relay 1 of node 01 (cell 4096 of bank 1);
    // point 012 single relay on node 05, relay 12.
    QString SampleMap()
    {
        ClearImage();
        SetPointType(2, 3);
        SetRelayBit(2, 0, 0, true);
        SetPointType(11, 1);
        SetPointNode(11, 4);
        SetPointRelay(11, 11);
        return Save("plant.MGW");
    }

    QString Pty() const { return QString::fromStdString(gateway.sim.SlavePath()); }

    QTemporaryDir dir;
};

TEST_F(MgwTest, DownloadVerifyAndUploadAgainstTheGateway)
{
    const QString map = SampleMap();
    Ran r = Mgw({"download", map, "--port", Pty()});
    EXPECT_EQ(r.status, 0);
    QString progress;
    for (int n : {208, 416, 624, 832, 1024, 1232, 1440, 1648, 1856, 2048})
        progress += QStringLiteral("Downloading Block %1 Of 2048\n").arg(n);
    EXPECT_EQ(r.err, progress + "Verify Checksum For Memory Bank: 0\nVerify Checksum For Memory Bank: 1\n"
                                "Download Complete\n");
    // Only the two blocks holding a nonzero cell go out, whole, as the gateway reads them.
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[4], "38" "0" "0000" "3F" + std::string(16, '0') + "03" + std::string(70, '0') + "01040B"
                           + std::string(34, '0'));
    EXPECT_EQ(sent[5], "38" "1" "1000" "3F" "01" + std::string(126, '0'));
    EXPECT_EQ(gateway.sim.Memory().Cell(1, 4096), 1);

    // Verify: two checksum commands and nothing else; COM1 reaches the same gateway.
    gateway.sim.ClearJournal();
    r = Mgw({"verify", map, "--port", "COM1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Gateway Matches " + map + "\n");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"3F00000FFFF", "3F10000FFFF"}));
    gateway.sim.Memory().SetCell(1, 65535, 1);
    r = Mgw({"verify", map, "--port", Pty()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Gateway Differs From " + map + " In Memory Bank: 1\n");

    const QString uploaded = dir.filePath("back.MGW");
    r = Mgw({"upload", uploaded, "--port", Pty(), "--quiet"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Upload Complete\n");
    QByteArray expected = ReadAll(map);
    expected[4 * 65535 + 2] = 1;
    EXPECT_EQ(ReadAll(uploaded), expected);
}

// The gateway's code is the exit status; a failed upload leaves the file as it was, or none.
TEST_F(MgwTest, FailuresExitWithTheGatewaysCodeAndUploadLeavesNoFile)
{
    using gatesim::FaultKind;
    const QString map = SampleMap();
    const QString kept = dir.filePath("kept.MGW");
    ASSERT_TRUE(WriteAll(kept, "what was there"));
    const std::tuple<const char *, QString, gatesim::Fault, int, QString> cases[] = {
        {"download", map, MakeFault(FaultKind::Silence, "3601"), 22,
         "Download Error: 22\nLumentor Controller May Not Function\nProperly Until A Download Is Complete.\n"},
        {"upload", kept, MakeFault(FaultKind::Silence, "39"), 71, "Upload Error: 71\nAll Host Data Cleared.\n"},
        {"upload", dir.filePath("fresh.MGW"), MakeFault(FaultKind::ChangedCell, "39000"), 61,
         "Upload Error: 61\nAll Host Data Cleared.\n"},
        {"verify", map, MakeFault(FaultKind::Silence, "3F0"), 52, "Verify Error: 52\n"},
    };
    DrivenClock clock(gateway.sim);
    for (const auto &[command, file, fault, status, message] : cases) {
        gateway.sim.ClearFaults();
        gateway.sim.ArmFault(fault);
        const Ran r = Mgw({command, file, "--port", Pty(), "--quiet"});
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.err, message);
    }
    for (const char *command : {"download", "upload"}) // the port will not open: 3, as documented
        EXPECT_EQ(Mgw({command, map, "--port", dir.filePath("ttyUSB9"), "--quiet"}).status, 3) << command;
    EXPECT_EQ(ReadAll(kept), "what was there");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"kept.MGW", "plant.MGW"}));
}

TEST_F(MgwTest, BadArgumentsSayWhichInOneLineAndSendNothing)
{
    const QString map = SampleMap();
    const QString shortMap = dir.filePath("short.MGW");
    ASSERT_TRUE(WriteAll(shortMap, "0123456789"));
    const std::pair<QStringList, QString> cases[] = {
        {{"download"}, "mgw download: expects one map file (see mgw download --help)"},
        {{"download", map}, "mgw download: --port PORT is required"},
        {{"upload", dir.filePath("no/such.MGW"), "--port", Pty()},
         "mgw upload: cannot write " + dir.filePath("no/such.MGW")},
        {{"verify", shortMap, "--port", Pty()},
         "mgw verify: cannot read " + shortMap + ": The file holds 10 bytes; a map file holds 262144."},
        {{"export", map, "--points", "500"}, "mgw export: --points must be 350 or 750, not '500'"},
        {{"import", map}, "mgw import: expects a listing and a map file"},
    };
    for (const auto &[arguments, line] : cases) {
        const Ran r = Mgw(arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err + r.out, line + "\n");
    }
    EXPECT_TRUE(gateway.sim.Journal().empty());
}

TEST_F(MgwTest, ExportWritesTheListingBesideTheMapAndDiffListsWhatDiffers)
{
    const QString map = SampleMap();
    Ran r = Mgw({"export", map, "--points", "350"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Settings Exported To: " + dir.filePath("plant.CSV") + "\n");
    const QByteArray listing = ReadAll(dir.filePath("plant.CSV"));
    EXPECT_TRUE(listing.startsWith("Mapped Gateway File: " + map.toUtf8() + "\r\nPoint,1,Unused\r\n"));
    EXPECT_EQ(listing.count("\r\n"), 353); // title, 350 points, two more lines of point 003
    EXPECT_EQ(Mgw({"export", map, "--points", "350", "--output", "-"}).out.toUtf8(), listing);
    EXPECT_EQ(Mgw({"export", map, "--output", map}).status, 2); // never over the map file itself
    EXPECT_EQ(QFileInfo(map).size(), 262144);

    SetRelayBit(2, 0, 1, true);
    SetPointType(11, 5);
    SetPointNumber(11, 5);
    SetTimeoutCode(1);
    ImageSet(1, 9, 1);
    r = Mgw({"diff", map, Save("b.MGW")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Point 3\n"
                     "-Point,3,Multi Relay On/Off\n-,Relays Controlled\n-,,Node,01,Relay,1\n"
                     "+Point,3,Multi Relay On/Off\n+,Relays Controlled\n+,,Node,01,Relay,1,2\n"
                     "Point 12\n"
                     "-Point,12,Relay On/Off,Node,05,Relay,12\n"
                     "+Point,12,Group On/Off,Group,6\n"
                     "Settings\n-Timeout,Normal\n+Timeout,Extended 1\n"
                     "Cells Differing: 5\n");
    EXPECT_EQ(Mgw({"diff", map, map}).status, 0);
}

TEST_F(MgwTest, ImportWritesTheListedPointsOntoABaseOrAClearedMapAndRefusesABadListing)
{
    const QString map = SampleMap(), back = dir.filePath("back.MGW"), one = dir.filePath("one.CSV");
    ASSERT_EQ(Mgw({"export", map}).status, 0);
    Ran r = Mgw({"import", dir.filePath("plant.CSV"), back});
    EXPECT_EQ(r.err, "Points Imported Into " + back + ": 750\n");
    EXPECT_TRUE(ReadAll(back) == ReadAll(map));

    // Onto a base: point 012 replaced whole, point 003 kept. A bad listing writes nothing.
    ASSERT_TRUE(WriteAll(one, "\"Point\";12;\"Preset Activate\";\"Preset\";3\r\nPoint;900;Unused\r\n"));
    r = Mgw({"import", one, back, "--into", map});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "mgw import: " + one + " not imported:\nline 2: point 900: points are 1 to 750\n");
    ASSERT_TRUE(WriteAll(one, "\"Point\";12;\"Preset Activate\";\"Preset\";3\r\n"));
    EXPECT_EQ(Mgw({"import", one, back, "--into", map, "--points", "350"}).status, 0);
    FileName = back;
    ASSERT_TRUE(ReadImageFile());
    EXPECT_EQ(std::vector<int16_t>(ConfigImage + 88, ConfigImage + 96), (std::vector<int16_t>{7, 0, 0, 0, 0, 0, 2, 0}));
    EXPECT_TRUE(GetRelayBit(2, 0, 0));
}

// The real program: Ctrl+C ends an upload at the next block with the cancel
// message and status 130, and writes no file; a port that will not open is 3.
TEST_F(MgwTest, ProgramExitsWith130OnCtrlCAndItsStatusEndToEnd)
{
    const QString uploaded = dir.filePath("up.MGW");
    gateway.sim.SetPacing(true); // 80 s a transfer: Ctrl+C surely comes first
    QProcess mgw;
    mgw.start(MGW_PROGRAM, {"upload", uploaded, "--port", Pty()});
    ASSERT_TRUE(gateway.sim.WaitForJournal(6, 5000));
    ::kill(pid_t(mgw.processId()), SIGINT);
    ASSERT_TRUE(mgw.waitForFinished(5000));
    EXPECT_EQ(mgw.exitCode(), 130);
    EXPECT_TRUE(
        QString::fromUtf8(mgw.readAllStandardError()).endsWith("Manual Upload Cancel.\nAll Host Data Cleared.\n"));
    EXPECT_FALSE(QFile::exists(uploaded));

    mgw.start(MGW_PROGRAM, {"verify", SampleMap(), "--port", dir.filePath("ttyUSB9")});
    ASSERT_TRUE(mgw.waitForFinished(5000));
    EXPECT_EQ(mgw.exitCode(), 3);
}

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

const QString DownloadWarning = "\nLumentor Controller May Not Function\nProperly Until A Download Is Complete.\n";
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

    // Point 012 single relay on node 05, relay 12; one cell of bank 1.
    QString SampleMap(const QString &name = "plant.MGW")
    {
        ClearImage();
        SetPointType(11, 1);
        SetPointNode(11, 4);
        SetPointRelay(11, 11);
        ImageSet(1, 5000, 0x5A);
        return Save(name);
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
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(sent[4], "38" "0" "0000" "3F" + std::string(88, '0') + "01040B" + std::string(34, '0'));
    EXPECT_EQ(gateway.sim.Memory().Cell(1, 5000), 0x5A);

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

TEST_F(MgwTest, FailuresExitWithTheGatewaysCodeAndUploadLeavesNoFile)
{
    using gatesim::FaultKind;
    const QString map = SampleMap();
    const QString kept = dir.filePath("kept.MGW");
    ASSERT_TRUE(WriteAll(kept, "what was there"));
    const QString fresh = dir.filePath("fresh.MGW");
    const QString uploadError = "\nAll Host Data Cleared.\n";
    struct Case {
        const char *command;
        QString file;
        gatesim::Fault fault;
        int status;
        QString message;
    } cases[] = {
        {"download", map, MakeFault(FaultKind::Silence, "3600"), 21, "Download Error: 21" + DownloadWarning},
        {"download", map, MakeFault(FaultKind::BadChecksum, "38"), 4, "Download Error: 4" + DownloadWarning},
        {"download", map, MakeFault(FaultKind::WrongBankSum, "3F0", 0x10000), 61, "Download Error: 61" + DownloadWarning},
        {"download", map, MakeFault(FaultKind::WrongBankSum, "3F1", 1), 64, "Download Error: 64" + DownloadWarning},
        {"upload", kept, MakeFault(FaultKind::Silence, "39"), 71, "Upload Error: 71" + uploadError},
        {"upload", fresh, MakeFault(FaultKind::ChangedCell, "39000"), 61, "Upload Error: 61" + uploadError},
        {"verify", map, MakeFault(FaultKind::Silence, "3F0"), 52, "Verify Error: 52\n"},
    };
    DrivenClock clock(gateway.sim);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        gateway.sim.ClearFaults();
        gateway.sim.ArmFault(c.fault);
        const Ran r = Mgw({c.command, c.file, "--port", Pty(), "--quiet"});
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.message);
    }
    EXPECT_EQ(ReadAll(kept), "what was there");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"kept.MGW", "plant.MGW"}));
    EXPECT_GT(clock.Now(), 5000); // the silences were time-outs, in no real time
}

TEST_F(MgwTest, BadArgumentsSayWhichInOneLineAndSendNothing)
{
    const QString map = SampleMap();
    ASSERT_TRUE(WriteAll(dir.filePath("short.MGW"), "0123456789"));
    const struct {
        QStringList arguments;
        QString line;
    } cases[] = {
        {{"download"}, "mgw download: expects one map file (see mgw download --help)"},
        {{"download", map}, "mgw download: --port PORT is required"},
        {{"download", map, "--port", Pty(), "--fast"}, "mgw download: Unknown option 'fast'."},
        {{"upload", dir.filePath("no/such/folder.MGW"), "--port", Pty()},
         "mgw upload: cannot write " + dir.filePath("no/such/folder.MGW")},
        {{"verify", dir.filePath("short.MGW"), "--port", Pty()},
         "mgw verify: cannot read " + dir.filePath("short.MGW") + ": The file holds 10 bytes; a map file holds 262144."},
        {{"export", map, "--points", "500"}, "mgw export: --points must be 350 or 750, not '500'"},
        {{"diff", map}, "mgw diff: expects two map files, A and B"},
    };
    for (const auto &c : cases) {
        const Ran r = Mgw(c.arguments);
        EXPECT_EQ(r.status, 2) << qPrintable(c.line);
        EXPECT_EQ(r.err, c.line + "\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_TRUE(gateway.sim.Journal().empty());
}

// Export writes what the window's Export writes; diff lists what differs.
TEST_F(MgwTest, ExportWritesTheWindowsListingAndDiffWhatDiffers)
{
    const QString map = SampleMap();
    SetPointType(2, 3);
    SetRelayBit(2, 0, 0, true);
    ImageSet(1, 5000, 0); // a relay of point 003 too: one relay is enough here
    Save("plant.MGW");
    window->optProtocol[1]->setChecked(true); // LonWorks: 350 points
    window->ExportCSV();
    const QString csv = dir.filePath("plant.CSV");
    const QByteArray windows = ReadAll(csv);
    ASSERT_EQ(windows.count("\r\n"), 353); // title, 350 points, two more lines of point 003
    ASSERT_TRUE(QFile::remove(csv));
    Ran r = Mgw({"export", map, "--points", "350"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Settings Exported To: " + csv + "\n");
    EXPECT_EQ(ReadAll(csv), windows);
    EXPECT_EQ(Mgw({"export", map, "--points", "350", "--output", "-"}).out.toUtf8(), windows);

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

    // A map file whose listing would replace it is refused, as by the window.
    const QString odd = dir.filePath("odd.CSV");
    ASSERT_TRUE(QFile::copy(map, odd));
    EXPECT_EQ(Mgw({"export", odd}).status, 2);
    EXPECT_EQ(ReadAll(odd), ReadAll(map));
}

// The real program: Ctrl+C ends a transfer at the next block with the
// cancel message and status 130; an upload so ended writes no file.
TEST_F(MgwTest, ProgramExitsWith130OnCtrlCAndItsStatusEndToEnd)
{
    for (int i = 0; i < CellCount; ++i)
        ConfigImage[i] = int16_t(i % 251 + 1);
    const QString map = Save("dense.MGW");
    const QString uploaded = dir.filePath("up.MGW");
    gateway.sim.SetPacing(true); // 80 s a transfer: Ctrl+C surely comes first
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"download", map, "--port", Pty()}, "Manual Download Cancel." + DownloadWarning},
        {{"upload", uploaded, "--port", Pty()}, "Manual Upload Cancel.\nAll Host Data Cleared.\n"},
    };
    for (const auto &c : cases) {
        gateway.sim.ClearJournal();
        QProcess mgw;
        mgw.start(MGW_PROGRAM, c.arguments);
        ASSERT_TRUE(mgw.waitForStarted());
        ASSERT_TRUE(gateway.sim.WaitForJournal(6, 5000));
        ::kill(pid_t(mgw.processId()), SIGINT);
        ASSERT_TRUE(mgw.waitForFinished(5000));
        EXPECT_EQ(mgw.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(mgw.exitCode(), 130);
        EXPECT_TRUE(QString::fromUtf8(mgw.readAllStandardError()).endsWith(c.message));
        EXPECT_LT(gateway.sim.Journal().size(), 12u);
    }
    EXPECT_FALSE(QFile::exists(uploaded));

    // The status reaches the shell: 3 for a port that will not open.
    QProcess mgw;
    mgw.start(MGW_PROGRAM, {"verify", map, "--port", dir.filePath("ttyUSB9")});
    ASSERT_TRUE(mgw.waitForFinished(5000));
    EXPECT_EQ(mgw.exitCode(), 3);
}

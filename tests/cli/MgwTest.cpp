// mgw in-process against the gateway simulator: transfers, failures and
// their codes, refusals, export, diff and import.
#include "cli/MgwFixture.h"

#include "common/ChildProcess.h"
#include "common/DrivenClock.h"
#include "common/FileSizeLimit.h"

#include <sys/stat.h>

using namespace modLumentorMGW;

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
    // "-" is standard output; a port name that is a file in the current folder is that file.
    ASSERT_TRUE(QFile::link(Pty(), dir.filePath("g2.tty")));
    const QString current = QDir::currentPath();
    QDir::setCurrent(dir.path());
    r = Mgw({"upload", "-", "--port", "g2.tty", "--quiet"});
    QDir::setCurrent(current);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.bytes, expected);
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
        {"upload", kept, MakeFault(FaultKind::Silence, "39"), 71, "Upload Error: 71\nFile Left As It Was: " + kept + "\n"},
        {"upload", dir.filePath("fresh.MGW"), MakeFault(FaultKind::ChangedCell, "39000"), 61,
         "Upload Error: 61\nFile Left As It Was: " + dir.filePath("fresh.MGW") + "\n"},
        {"verify", map, MakeFault(FaultKind::Silence, "3F0"), 52, "Verify Error: 52\n"},
        // Last: the adapter pulled for good.
        {"download", map, MakeFault(FaultKind::Vanish, "381"), 4,
         "Download Error: 4\nThe port " + Pty() + " went away: was the adapter unplugged?\n"
         "Lumentor Controller May Not Function\nProperly Until A Download Is Complete.\n"
         "To go on from block 1,089 of 2,048: mgw download " + map + " --port " + Pty() + " --resume\n"},
    };
    DrivenClock clock(gateway.sim);
    for (const auto &[command, file, fault, status, message] : cases) {
        gateway.sim.ClearFaults();
        gateway.sim.ArmFault(fault);
        QStringList arguments{command, file, "--port", Pty(), "--quiet"};
        if (arguments[0] != "verify")
            arguments << "--wait-port" << "0";
        const Ran r = Mgw(arguments);
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.err, message);
    }
    for (const char *command : {"download", "upload"}) // the port will not open: 3, as documented
        EXPECT_EQ(Mgw({command, map, "--port", dir.filePath("ttyUSB9"), "--quiet"}).status, 3) << command;
    EXPECT_EQ(ReadAll(kept), "what was there");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"kept.MGW", "plant.MGW"}));
}

// Arguments, files that cannot be map files and outputs that cannot be
// written: one line naming why, status 2, nothing sent, nothing left.
TEST_F(MgwTest, BadArgumentsAndFilesSayWhichInOneLineAndSendNothing)
{
    const QString map = SampleMap();
    const QString shortMap = dir.filePath("short.MGW"), longMap = dir.filePath("long.MGW");
    const QString wide = dir.filePath("wide.MGW");
    ASSERT_TRUE(WriteAll(shortMap, "0123456789"));
    ASSERT_TRUE(WriteAll(longMap, QByteArray(MapFileBytes + 1, '\0')));
    ImageSet(1, 9, 300);
    Save("wide.MGW");
    const QString notMap = " is not a map file: ";
    const std::pair<QStringList, QString> cases[] = {
        {{"download"}, "mgw download: expects one map file (see mgw download --help)"},
        {{"download", map}, "mgw download: --port PORT is required"},
        {{"download", map, "extra", "--port", Pty()}, "mgw download: unexpected argument 'extra'"},
        {{"download", map, "--port", Pty(), "--port", "COM2"}, "mgw download: --port is given more than once"},
        {{"export", map, "--output", ""}, "mgw export: --output needs a value, not an empty one"},
        {{"export", map, "--points", "500"}, "mgw export: --points must be 350 or 750, not '500'"},
        {{"import", map}, "mgw import: expects a listing and a map file"},
        {{"verify", shortMap, "--port", Pty()},
         "mgw verify: " + shortMap + notMap + "it holds 10 bytes; a map file holds exactly 262144."},
        {{"download", longMap, "--port", Pty()},
         "mgw download: " + longMap + notMap + "it holds 262145 bytes; a map file holds exactly 262144."},
        {{"download", "/dev/zero", "--port", Pty()},
         "mgw download: cannot read /dev/zero: It is not a regular file, so it cannot be a map file."},
        {{"verify", wide, "--port", Pty()},
         "mgw verify: " + wide + notMap + "bank 1 address 9 holds 300; the gateway's cells hold 0 to 255."},
        {{"upload", dir.filePath("no/such.MGW"), "--port", Pty()},
         "mgw upload: cannot write " + dir.filePath("no/such.MGW") + ": No such file or directory"},
        {{"upload", dir.path(), "--port", Pty()}, "mgw upload: cannot write " + dir.path() + ": It is a folder."},
    };
    for (const auto &[arguments, line] : cases) {
        const Ran r = Mgw(arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err + r.out, line + "\n");
    }
    // An upload's room is taken before its first command: a full disk (here a
    // size limit), a file or folder the user may not write are refused first.
    {
        FileSizeLimit limit(100000);
        EXPECT_EQ(Mgw({"upload", dir.filePath("new.MGW"), "--port", Pty()}).err,
                  "mgw upload: cannot write " + dir.filePath("new.MGW") + ": File too large\n");
    }
    const QString readOnly = dir.filePath("ro.MGW"); // in a folder the user may write
    ASSERT_TRUE(WriteAll(readOnly, "kept"));
    ASSERT_EQ(chmod(QFile::encodeName(readOnly), 0444) | chmod(QFile::encodeName(dir.path()), 0777), 0);
    const std::string said = InChild([&] {
        const std::string why = BecomeUnprivileged();
        return why.empty() ? Mgw({"upload", readOnly, "--port", Pty()}).err.toStdString() : why;
    });
    EXPECT_EQ(QString::fromStdString(said), "mgw upload: cannot write " + readOnly + ": Permission denied\n");
    EXPECT_TRUE(gateway.sim.Journal().empty());
    EXPECT_EQ(ReadAll(readOnly), "kept");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"long.MGW", "plant.MGW", "ro.MGW", "short.MGW", "wide.MGW"}));
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

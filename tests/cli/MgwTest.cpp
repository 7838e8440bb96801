// mgw in-process against the gateway simulator: transfers and what they
// tell the operator, scripts and the record; failures and their codes.
#include "cli/MgwFixture.h"

#include "common/DrivenClock.h"

#include <QCryptographicHash>
#include <QJsonArray>

using namespace modLumentorMGW;

TEST_F(MgwTest, DownloadVerifyUploadAndTheirFailuresCodes)
{
    const QString map = SampleMap();
    Ran r = Mgw({"download", map, "--port", Pty(), "--json"});
    EXPECT_EQ(r.status, 0);
    QString progress;
    for (int n : {208, 416, 624, 832, 1024, 1232, 1440, 1648, 1856, 2048})
        progress += QStringLiteral("Downloading Block %1 Of 2048\n").arg(n);
    EXPECT_EQ(r.err, progress + "Verify Checksum For Memory Bank: 0\nVerify Checksum For Memory Bank: 1\n"
                                "Download Complete\n");
    // Only the two blocks holding a nonzero cell go out (their bytes: LineRecordTest).
    ASSERT_EQ(Commands().size(), 8u);
    EXPECT_EQ(gateway.sim.Memory().Cell(1, 4096), 1);
    // What a script reads: port, map, counts, message.
    EXPECT_EQ(r.json["result"].toString(), "complete");
    EXPECT_EQ(r.json["port"].toObject()["given"].toString(), Pty());
    EXPECT_EQ(r.json["files"].toArray()[0].toObject()["sha256"].toString(),
              QCryptographicHash::hash(ReadAll(map), QCryptographicHash::Sha256).toHex());
    EXPECT_EQ(r.json["blocks"].toObject()["sent"].toInt(), 2);
    EXPECT_EQ(r.json["blocks"].toObject()["received"].toInt(), 0);
    // 4 clearing frames of 12 characters, 2 blocks of 143, 2 checksum frames of 17.
    EXPECT_EQ(r.json["characters"].toObject()["sent"].toInt(), 4 * 12 + 2 * 143 + 2 * 17);
    EXPECT_EQ(r.json["message"].toString(), "Download Complete");
    EXPECT_EQ(r.json["verified"].toBool(false), true);

    // Verify: two checksum commands and nothing else; COM1 reaches the same gateway.
    gateway.sim.ClearJournal();
    r = Mgw({"verify", map, "--port", "COM1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Gateway Matches " + map + "\n");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"3F00000FFFF", "3F10000FFFF"}));
    gateway.sim.Memory().SetCell(1, 65535, 1);
    r = Mgw({"verify", map, "--port", Pty(), "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Gateway Differs From " + map + " In Memory Bank: 1\n");
    EXPECT_EQ(r.json["result"].toString(), "differs");
    EXPECT_EQ(r.json["message"].toString(), "Gateway Differs From " + map + " In Memory Bank: 1");

    // A port name that is a file in the current folder is that file.
    ASSERT_TRUE(QFile::link(Pty(), dir.filePath("g2.tty")));
    const QString current = QDir::currentPath(), back = dir.filePath("back.MGW");
    QDir::setCurrent(dir.path());
    r = Mgw({"upload", back, "--port", "g2.tty", "--quiet", "--json"});
    QDir::setCurrent(current);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Upload Complete\n");
    EXPECT_EQ(r.json["blocks"].toObject()["received"].toInt(), 2048);
    QByteArray expected = ReadAll(map);
    expected[4 * 65535 + 2] = 1;
    EXPECT_EQ(ReadAll(back), expected);

    // Failures: the gateway's code is the exit status and the JSON's; a
    // failed upload leaves the file as it was, or none.
    using gatesim::FaultKind;
    ASSERT_TRUE(QFile::remove(back) && QFile::remove(dir.filePath("g2.tty")));
    const QString kept = dir.filePath("kept.MGW"), fresh = dir.filePath("fresh.MGW"), none = dir.filePath("ttyUSB9");
    ASSERT_TRUE(WriteAll(kept, "what was there"));
    const QJsonValue null;
    const std::tuple<QStringList, gatesim::Fault, int, QJsonValue, QString> cases[] = {
        {{"download", map}, MakeFault(FaultKind::BadChecksum, "3601"), 22, 22, "Download Error: 22\n" + Warning},
        {{"upload", kept}, MakeFault(FaultKind::BadChecksum, "39"), 71, 71, "Upload Error: 71\nFile Left As It Was: " + kept + "\n"},
        {{"upload", fresh}, MakeFault(FaultKind::ChangedCell, "39000"), 61, 61,
         "Upload Error: 61\nFile Left As It Was: " + fresh + "\n"},
        {{"verify", map}, MakeFault(FaultKind::BadChecksum, "3F0"), 52, 52, "Verify Error: 52\n"},
        // The port will not open: 3, as documented.
        {{"download", map, "--port", none}, {}, 3, null, ""},
        {{"upload", fresh, "--port", none}, {}, 3, null, ""},
        // Last: the adapter pulled for good.
        {{"download", map}, MakeFault(FaultKind::Vanish, "381"), 4, 4,
         "Download Error: 4\nThe port " + Pty() + " went away: was the adapter unplugged?\n" + Warning
             + "To go on from block 1,089 of 2,048: mgw download " + map + " --port " + Pty() + " --resume\n"},
    };
    DrivenClock clock(gateway.sim);
    for (const auto &[arguments, fault, status, code, message] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        gateway.sim.ClearFaults();
        gateway.sim.ArmFault(fault);
        const QStringList port = arguments.contains("--port") ? QStringList() : QStringList{"--port", Pty()};
        const bool transfer = arguments[0] == "download" || arguments[0] == "upload";
        r = Mgw(arguments + port + QStringList{"--wait-port", "0", "--quiet", "--json"}.mid(transfer ? 0 : 2));
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.json["result"].toString(), "failed");
        EXPECT_EQ(r.json["gateway_code"], code);
        if (!message.isEmpty()) {
            EXPECT_EQ(r.err, message);
            EXPECT_EQ(r.json["message"].toString() + "\n", message);
        }
    }
    EXPECT_EQ(ReadAll(kept), "what was there");
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"kept.MGW", "plant.MGW", "record.jsonl"}));
    EXPECT_EQ(r.json["resumable_after"].toInt(), 1088);
    // Every transfer and verify that was not refused, in the form --json prints.
    const QByteArray recorded = ReadAll(dir.filePath("record.jsonl"));
    EXPECT_EQ(recorded.count('\n'), 11);
    objects += recorded;
}

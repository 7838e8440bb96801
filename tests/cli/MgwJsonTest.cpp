// mgw --json: one object on standard output whatever the outcome, its
// fields as scripts read them, and every object valid against the schema
// that ships, checked by a real validator (python3-jsonschema).
#include "cli/MgwFixture.h"

#include "common/DrivenClock.h"
#include "common/SchemaCheck.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <csignal>
#include <optional>

namespace {
QJsonObject Parsed(const QByteArray &line)
{
    return QJsonDocument::fromJson(line).object();
}

QString Sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace

TEST_F(MgwTest, JsonIsOneObjectForEveryCommandAndOutcomeAndFitsTheSchema)
{
    using gatesim::FaultKind;
    const QString map = SampleMap(), up = dir.filePath("up.MGW"), listing = dir.filePath("plant.CSV");
    const QString other = dir.filePath("other.MGW"), bad = dir.filePath("bad.CSV");
    modLumentorMGW::ImageSet(1, 9, 1);
    Save("other.MGW");
    ASSERT_TRUE(WriteAll(bad, "Point;900;Unused\r\n"));
    const QString mapHash = Sha256(ReadAll(map));
    const QString record = dir.filePath("record.jsonl");
    struct Case {
        QStringList arguments;
        std::optional<gatesim::Fault> fault;
        int status;
        QString result;
        QJsonValue code;
    };
    const std::optional<gatesim::Fault> none;
    const Case cases[] = {
        {{"download", map, "--port", Pty()}, none, 0, "complete", QJsonValue()},
        {{"verify", map, "--port", Pty()}, none, 0, "matches", QJsonValue()},
        {{"verify", other, "--port", Pty()}, none, 1, "differs", QJsonValue()},
        {{"download", map, "--port", Pty()}, MakeFault(FaultKind::Silence, "3601"), 22, "failed", 22},
        {{"verify", map, "--port", Pty()}, MakeFault(FaultKind::Silence, "3F0"), 52, "failed", 52},
        {{"verify", map, "--port", dir.filePath("ttyUSB9")}, none, 3, "failed", QJsonValue()},
        {{"upload", up, "--port", Pty()}, none, 0, "complete", QJsonValue()},
        {{"upload", up, "--port", Pty()}, MakeFault(FaultKind::Silence, "39"), 71, "failed", 71},
        {{"upload", "-", "--port", Pty()}, none, 2, "refused", QJsonValue()},
        {{"export", map}, none, 0, "complete", QJsonValue()},
        {{"export", map, "--output", "-"}, none, 2, "refused", QJsonValue()},
        {{"diff", map, map}, none, 0, "matches", QJsonValue()},
        {{"diff", map, other}, none, 1, "differs", QJsonValue()},
        {{"import", listing, dir.filePath("back.MGW")}, none, 0, "complete", QJsonValue()},
        {{"import", bad, dir.filePath("back.MGW")}, none, 2, "refused", QJsonValue()},
        {{"download", map}, none, 2, "refused", QJsonValue()},
        {{"record", "--since", "yesterday"}, none, 2, "refused", QJsonValue()},
        {{"flash", map}, none, 2, "refused", QJsonValue()},
        {{"probe", "--port", Pty()}, none, 0, "complete", QJsonValue()},
        {{"probe", "--port", Pty()}, MakeFault(FaultKind::Silence, "3F"), 10, "failed", QJsonValue()},
        {{"download", map, "--port", Pty()}, MakeFault(FaultKind::Silence, "38"), 4, "failed", 4},
        {{"download", map, "--port", Pty(), "--resume"}, none, 0, "complete", QJsonValue()},
    };
    DrivenClock clock(gateway.sim);
    qputenv("MGW_RECORD", QFile::encodeName(record));
    QByteArray all;
    for (const Case &c : cases) {
        gateway.sim.ClearFaults();
        if (c.fault)
            gateway.sim.ArmFault(*c.fault);
        const Ran r = Mgw(c.arguments + QStringList{"--json"});
        const QString what = c.arguments.join(' ');
        ASSERT_TRUE(r.bytes.endsWith('\n') && r.bytes.count('\n') == 1) << what.toStdString() << ": " << r.out.toStdString();
        const QJsonObject o = Parsed(r.bytes);
        EXPECT_EQ(r.status, c.status) << what.toStdString();
        EXPECT_EQ(o["exit_status"].toInt(-1), c.status) << what.toStdString();
        EXPECT_EQ(o["result"].toString(), c.result) << what.toStdString();
        EXPECT_EQ(o["gateway_code"], c.code) << what.toStdString();
        EXPECT_EQ(o["command"].toString(), c.arguments[0]);
        EXPECT_TRUE(r.bytes.startsWith("{\"format_version\":1,")) << what.toStdString();
        all += r.bytes;
    }
    qunsetenv("MGW_RECORD");
    EXPECT_EQ(SchemaErrors(dir.path(), all), "");
    // The record keeps the ten transfers and verifies that were not refused, in the same form; not the probes.
    const QByteArray kept = ReadAll(record);
    EXPECT_EQ(kept.count('\n'), 10);
    EXPECT_EQ(SchemaErrors(dir.path(), kept), "");

    // What a script reads: the successful download's port, map, counts and message.
    const QList<QByteArray> objects = all.split('\n');
    const QJsonObject download = Parsed(objects[0]);
    EXPECT_EQ(download["port"].toObject()["given"].toString(), Pty());
    EXPECT_EQ(download["files"].toArray()[0].toObject()["sha256"].toString(), mapHash);
    EXPECT_EQ(download["blocks"].toObject()["sent"].toInt(), 2);
    EXPECT_EQ(download["blocks"].toObject()["received"].toInt(), 0);
    // 4 clearing frames of 12 characters, 2 blocks of 143, 2 checksum frames of 17.
    EXPECT_EQ(download["characters"].toObject()["sent"].toInt(), 4 * 12 + 2 * 143 + 2 * 17);
    EXPECT_EQ(download["message"].toString(), "Download Complete");
    EXPECT_EQ(download["verified"].toBool(false), true);
    EXPECT_EQ(Parsed(objects[3])["message"].toString(),
              "Download Error: 22\nLumentor Controller May Not Function\nProperly Until A Download Is Complete.");
    EXPECT_EQ(Parsed(objects[2])["message"].toString(), "Gateway Differs From " + other + " In Memory Bank: 1");
    EXPECT_EQ(Parsed(objects[6])["blocks"].toObject()["received"].toInt(), 2048);
    // diff lists the points and settings that differ; import the points it wrote.
    EXPECT_EQ(Parsed(objects[12])["diff"].toArray(), QJsonArray());
    EXPECT_EQ(Parsed(objects[12])["cells_differing"].toInt(), 1);
    const QJsonArray imported = Parsed(objects[13])["import"].toArray();
    EXPECT_EQ(imported.size(), 750);
    // The probe's verdict; a stopped download says where --resume goes on, and the resumed one where it did.
    EXPECT_EQ(Parsed(objects[18])["probe"].toObject()["verdict"].toString(), "answers");
    EXPECT_EQ(Parsed(objects[19])["probe"].toObject()["verdict"].toString(), "silent");
    EXPECT_TRUE(Parsed(objects[20]).contains("resumable_after"));
    EXPECT_EQ(Parsed(objects[21])["resumed_after"], Parsed(objects[20])["resumable_after"]);
    EXPECT_EQ(Parsed(objects[21])["blocks"].toObject()["sent"].toInt(), 2);
    EXPECT_EQ(Parsed(objects[14])["message"].toString(),
              "mgw import: " + bad + " not imported:\nline 1: point 900: points are 1 to 750");
}

// Ctrl+C before the gateway answers: a cancelled object, status 130.
TEST_F(MgwTest, JsonOfAnInterruptedTransferSaysCancelled)
{
    const QString map = SampleMap();
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::Silence, "3600"));
    mgw::Interrupted = 1;
    const Ran r = Mgw({"download", map, "--port", Pty(), "--json"});
    mgw::Interrupted = 0;
    const QJsonObject o = Parsed(r.bytes);
    EXPECT_EQ(r.status, 130);
    EXPECT_EQ(o["result"].toString(), "cancelled");
    EXPECT_EQ(o["exit_status"].toInt(), 130);
    EXPECT_EQ(SchemaErrors(dir.path(), r.bytes), "");
}

// The real program on Ctrl+C: the object still comes, on its standard output alone.
TEST_F(MgwTest, RealProgramPrintsItsObjectOnCtrlC)
{
    const QString map = SampleMap();
    gateway.sim.ArmFault(MakeFault(gatesim::FaultKind::Silence, "3F0"));
    QProcess mgw;
    mgw.start(MGW_PROGRAM, {"verify", map, "--port", Pty(), "--json", "--record", dir.filePath("record.jsonl")});
    ASSERT_TRUE(gateway.sim.WaitForJournal(1, 5000));
    ::kill(pid_t(mgw.processId()), SIGINT);
    ASSERT_TRUE(mgw.waitForFinished(2000));
    EXPECT_EQ(mgw.exitCode(), 130);
    const QByteArray out = mgw.readAllStandardOutput();
    EXPECT_EQ(out.count('\n'), 1);
    const QJsonObject o = Parsed(out);
    EXPECT_EQ(o["result"].toString(), "cancelled");
    EXPECT_EQ(o["message"].toString(), "Manual Verify Cancel.");
    EXPECT_EQ(o["record"].toObject()["written"].toBool(), true);
    EXPECT_EQ(SchemaErrors(dir.path(), out), "");
}

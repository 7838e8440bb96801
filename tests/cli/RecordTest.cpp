// The commissioning record: appends from many processes at once, a torn
// line, files that are no record, where it lives, and mgw record's filters.
#include "cli/MgwFixture.h"
#include "common/FileSizeLimit.h"

#include "record/RecordFile.h"

#include <QRegularExpression>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QStringList Lines(const QString &path)
{
    return QString::fromUtf8(ReadAll(path)).split('\n', Qt::SkipEmptyParts);
}
} // namespace

// 16 processes, 50 lines each, all at once: 800 whole lines, each
// process's in its own order.
TEST(Record, SixteenProcessesAppendingAtOnceLoseAndMixNoLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shared/record.jsonl");
    const QByteArray padding(3000, 'x'); // longer than one pipe's atomic write
    std::vector<pid_t> children;
    for (int p = 0; p < 16; ++p) {
        const pid_t pid = fork();
        if (pid == 0) {
            int failed = 0;
            for (int n = 0; n < 50; ++n) {
                const QByteArray line = "{\"format_version\":1,\"p\":" + QByteArray::number(p) + ",\"n\":"
                    + QByteArray::number(n) + ",\"pad\":\"" + padding + "\"}";
                failed += !modLumentorMGW::AppendRecordLine(path, line, nullptr);
            }
            _exit(failed);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const QStringList lines = Lines(path);
    ASSERT_EQ(lines.size(), 800);
    std::vector<int> next(16, 0);
    for (const QString &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        ASSERT_EQ(o["pad"].toString().size(), 3000) << line.left(80).toStdString();
        const int p = o["p"].toInt();
        EXPECT_EQ(o["n"].toInt(), next[size_t(p)]++);
    }
    EXPECT_EQ(next, std::vector<int>(16, 50));
}

// A verify whose port will not open still is a verify: it is recorded,
// in the default file, MGW_RECORD's or --record's. A torn last line is
// skipped with a note and the next append starts a line of its own.
TEST(Record, WhereLinesGoAndATornLineSpoilsNothing)
{
    QTemporaryDir dir;
    const QString map = dir.filePath("plant.MGW"), port = dir.filePath("ttyUSB9");
    ASSERT_TRUE(WriteAll(map, QByteArray(MapFileBytes, '\0')));
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString fallback = state + "/LumentorMGW/record.jsonl", fromEnvironment = dir.filePath("env.jsonl"),
                  given = dir.filePath("given.jsonl");
    QFile::remove(fallback);
    EXPECT_EQ(RunMgw({"verify", map, "--port", port, "--gateway", "north"}).status, 3);
    qputenv("MGW_RECORD", QFile::encodeName(fromEnvironment));
    EXPECT_EQ(RunMgw({"verify", map, "--port", port}).status, 3);
    EXPECT_EQ(RunMgw({"verify", map, "--port", port, "--record", given}).status, 3);
    qunsetenv("MGW_RECORD");
    for (const QString &file : {fallback, fromEnvironment, given})
        EXPECT_EQ(Lines(file).size(), 1) << file.toStdString();
    const QJsonObject line = QJsonDocument::fromJson(Lines(fallback)[0].toUtf8()).object();
    EXPECT_EQ(line["gateway"].toString(), "north");
    EXPECT_EQ(line["verified"].toBool(true), false);
    EXPECT_FALSE(line["host"].toString().isEmpty());

    QFile torn(given);
    ASSERT_TRUE(torn.open(QIODevice::Append));
    torn.write("{\"format_version\":1,\"adapter\":nu");
    torn.close();
    EXPECT_EQ(RunMgw({"verify", map, "--port", port, "--record", given, "--gateway", "south"}).status, 3);
    const QStringList lines = Lines(given);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], "{\"format_version\":1,\"adapter\":nu");
    EXPECT_TRUE(lines[2].startsWith("{\"format_version\":1,")) << lines[2].toStdString();
    const Ran r = RunMgw({"record", "--record", given});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "mgw record: line 2 of " + given + " is not whole (a write cut short?): skipped\n");
    EXPECT_EQ(r.out.count('\n'), 3); // the headings and two lines
    EXPECT_TRUE(r.out.contains("south")) << r.out.toStdString();
}

// A record file that is something else is never written to, the transfer's
// status stands, and the reason is said; mgw record will not read it.
TEST(Record, AFileThatIsNoRecordIsLeftAloneWithTheReason)
{
    QTemporaryDir dir;
    const QString map = dir.filePath("plant.MGW"), port = dir.filePath("ttyUSB9");
    ASSERT_TRUE(WriteAll(map, QByteArray(MapFileBytes, '\0')));
    const QString fifo = dir.filePath("fifo"), folder = dir.filePath("folder"), json = dir.filePath("other.json"),
                  text = dir.filePath("notes.txt"), listing = dir.filePath("plant.CSV");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(WriteAll(json, "{\"name\":\"north\"}\n"));
    ASSERT_TRUE(WriteAll(text, "gateways commissioned:\n"));
    ASSERT_TRUE(WriteAll(listing, "Mapped Gateway File: plant.MGW\r\nPoint,1,Unused\r\n"));
    const std::pair<QString, QString> cases[] = {
        {folder, "it is a folder"},
        {fifo, "it is not a regular file"},
        {map, "it is a map file or other binary file, not a record"},
        {listing, "it is a listing or other CSV file, not a record"},
        {json, "it holds JSON of another kind, not a record"},
        {text, "it holds text that is not a record"},
    };
    for (const auto &[file, reason] : cases) {
        const QByteArray before = file == fifo || file == folder ? QByteArray() : ReadAll(file);
        Ran r = RunMgw({"verify", map, "--port", port, "--record", file});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(r.err.endsWith("mgw verify: not kept in the record " + file + ": " + reason + "\n")) << r.err.toStdString();
        if (!before.isEmpty()) {
            EXPECT_EQ(ReadAll(file), before);
        }
        r = RunMgw({"record", "--record", file});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "mgw record: " + file + " is not read: " + reason + "\n");
    }
    // A disk that fills partway through the line (a size limit here): the record ends where it did.
    const QString full = dir.filePath("full.jsonl");
    ASSERT_EQ(RunMgw({"verify", map, "--port", port, "--record", full}).status, 3);
    const QByteArray kept = ReadAll(full);
    {
        FileSizeLimit limit(rlim_t(kept.size() + 100));
        const Ran r = RunMgw({"verify", map, "--port", port, "--record", full});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(r.err.endsWith("not kept in the record " + full + ": only part of the line could be written\n"))
            << r.err.toStdString();
    }
    EXPECT_EQ(ReadAll(full), kept);
    // A record under a regular file cannot be made: said, status kept.
    const Ran r = RunMgw({"verify", map, "--port", port, "--record", map + "/record.jsonl"});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.endsWith(map + "/record.jsonl: Not a directory\n")) << r.err.toStdString();
    EXPECT_EQ(QFileInfo(map).size(), MapFileBytes);
}

// Five commissioning steps at two gateways, as the record keeps them, and
// what each filter leaves of them.
TEST(Record, FiltersAndLastAnswerWhichMapIsInWhichGateway)
{
    QTemporaryDir dir;
    const QString record = dir.filePath("record.jsonl"), copy = dir.filePath("copy of plant.MGW");
    ASSERT_TRUE(WriteAll(copy, "plant")); // the content of "plant", whatever its name
    const QString plant = "96044d9734b6044127dea24e9447d6230ed522668773f12934b5e8b66b9d707a";
    const auto line = [](const char *started, const char *gateway, const char *port, const char *adapter,
                         const char *command, const QString &map, const QString &hash, const char *result, bool verified) {
        return QStringLiteral("{\"format_version\":1,\"started\":\"%1\",\"gateway\":%2,\"port\":{\"given\":\"%3\","
                              "\"resolved\":\"/dev/%3\"},\"adapter\":%4,\"command\":\"%5\",\"files\":[{\"role\":\"map\","
                              "\"path\":\"%6\",\"sha256\":\"%7\"}],\"result\":\"%8\",\"verified\":%9}\n")
            .arg(started, gateway, port, adapter, command, map, hash, result, verified ? "true" : "false");
    };
    const QString usb = "{\"vendor_id\":\"0403\",\"product_id\":\"6001\",\"serial_number\":\"A9\"}";
    const QString other(64, 'e');
    ASSERT_TRUE(WriteAll(record, (line("2026-03-01T09:00:00.000Z", "\"north\"", "ttyS0", "null", "download", "/m/plant.MGW", plant, "complete", true)
                                  + line("2026-03-01T10:00:00.000Z", "\"south\"", "ttyUSB0", usb.toUtf8(), "download", "/m/plant.MGW", plant, "failed", false)
                                  + line("2026-03-02T08:00:00.000Z", "\"south\"", "ttyUSB0", usb.toUtf8(), "verify", "/n/copy.MGW", plant, "matches", true)
                                  + line("2026-03-03T12:30:00.000Z", "\"north\"", "ttyS0", "null", "download", "/m/other.MGW", other, "complete", true)
                                  + line("2026-03-04T07:15:00.000Z", "\"north\"", "ttyS0", "null", "verify", "/m/plant.MGW", plant, "differs", false))
                                     .toUtf8()));
    const QString head = "Time                 Gateway  Port                    Command   Map                 Result    Verified\n";
    const QString rows[] = {
        "2026-03-01 09:00:00  north    ttyS0                   download  plant.MGW 96044d97  complete  yes\n",
        "2026-03-01 10:00:00  south    ttyUSB0 (0403:6001 A9)  download  plant.MGW 96044d97  failed    no\n",
        "2026-03-02 08:00:00  south    ttyUSB0 (0403:6001 A9)  verify    copy.MGW 96044d97   matches   yes\n",
        "2026-03-03 12:30:00  north    ttyS0                   download  other.MGW eeeeeeee  complete  yes\n",
        "2026-03-04 07:15:00  north    ttyS0                   verify    plant.MGW 96044d97  differs   no\n",
    };
    const std::pair<QStringList, std::vector<int>> cases[] = {
        {{}, {0, 1, 2, 3, 4}},
        {{"--gateway", "south"}, {1, 2}},
        {{"--port", "/dev/ttyUSB0"}, {1, 2}},
        {{"--since", "2026-03-02"}, {2, 3, 4}},
        {{"--since", "2026-03-03T12:30:00Z"}, {3, 4}},
        {{"--map", copy}, {0, 1, 2, 4}},
        {{"--map", copy, "--last"}, {2, 4}},
        {{"--last"}, {2, 4}},
    };
    for (const auto &[filters, shown] : cases) {
        const Ran r = RunMgw(QStringList{"record", "--record", record} + filters);
        EXPECT_EQ(r.status, 0);
        QList<QStringList> table;
        for (const QString &row : r.out.split('\n', Qt::SkipEmptyParts))
            table << row.split(QRegularExpression("  +"));
        QList<QStringList> expected{head.trimmed().split(QRegularExpression("  +"))};
        for (const int i : shown)
            expected << rows[i].trimmed().split(QRegularExpression("  +"));
        EXPECT_EQ(table, expected) << filters.join(' ').toStdString() << "\n" << r.out.toStdString();
    }
    EXPECT_EQ(RunMgw({"record", "--record", record}).out, head + rows[0] + rows[1] + rows[2] + rows[3] + rows[4]);
    // JSON Lines: the lines as kept.
    const Ran json = RunMgw({"record", "--record", record, "--gateway", "south", "--json"});
    const QStringList out = json.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(out[1].toUtf8()).object()["result"].toString(), "matches");
    // Bad filters: status 2, naming the option.
    const std::pair<QStringList, QString> refused[] = {
        {{"--gateway", ""}, "mgw record: --gateway needs a value, not an empty one\n"},
        {{"--since", "2026-13-01"}, "mgw record: --since: '2026-13-01' is not a date (2026-03-01 or 2026-03-01T14:30:00)\n"},
        {{"--map", dir.filePath("none.MGW")}, "mgw record: --map: cannot read " + dir.filePath("none.MGW") + ": No such file or directory\n"},
    };
    for (const auto &[filters, said] : refused) {
        const Ran r = RunMgw(QStringList{"record", "--record", record} + filters);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, said);
    }
}

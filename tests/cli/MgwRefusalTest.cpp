// What mgw refuses before anything is sent or written, and the options and
// standard input every command takes.
#include "cli/MgwFixture.h"

#include "common/ChildProcess.h"
#include "common/FileSizeLimit.h"

#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace modLumentorMGW;

// Arguments, files that cannot be map files or listings and outputs that
// cannot be written: one line naming why, status 2 (in the JSON too),
// nothing sent, every file as it was.
TEST_F(MgwTest, RefusalsSayWhyInOneLineAndSendNothing)
{
    const QString map = SampleMap(), listing = dir.filePath("plant.CSV"), out = dir.filePath("out.MGW");
    ASSERT_EQ(Mgw({"export", map}).status, 0);
    const QByteArray listed = ReadAll(listing);
    const QString shortMap = dir.filePath("short.MGW"), longMap = dir.filePath("long.MGW"), wide = dir.filePath("wide.MGW");
    const QString badListing = dir.filePath("bad.CSV");
    ASSERT_TRUE(WriteAll(badListing, "Point;900;Unused\r\n"));
    ASSERT_TRUE(WriteAll(shortMap, "0123456789"));
    ASSERT_TRUE(WriteAll(longMap, QByteArray(MapFileBytes + 1, '\0')));
    ImageSet(1, 9, 300);
    Save("wide.MGW");
    const QString fifo = dir.filePath("pipe"), toFifo = dir.filePath("pipe.MGW"), hard = dir.filePath("hard.CSV"),
                  soft = dir.filePath("soft.MGW");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0644), 0);
    ASSERT_TRUE(QFile::link(fifo, toFifo));
    ASSERT_TRUE(QFile::link(listing, soft));
    ASSERT_EQ(::link(QFile::encodeName(listing), QFile::encodeName(hard)), 0);
    ASSERT_TRUE(QFile::link(map, dir.filePath("link.MGW")));
    const QString under = dir.filePath("plant.MGW/line.log"), back = dir.filePath("back.MGW"), x = dir.filePath("x");
    const QString notMap = " is not a map file: ", notRegular = ": It is not a regular file.";
    const QString replaces = ": The map file would replace the listing itself.";
    const QString retries = "mgw download: --retries must be 0 to 5, not '";
    const QString wait = "mgw download: --wait-port must be 0 to 3600 seconds, not '";
    const std::pair<QStringList, QString> cases[] = {
        {{"download"}, "mgw download: expects one map file (see mgw download --help)"},
        {{"download", map}, "mgw download: --port PORT is required"},
        {{"download", map, "extra", "--port", Pty()}, "mgw download: unexpected argument 'extra'"},
        {{"download", map, "--port", Pty(), "--port", "COM2"}, "mgw download: --port is given more than once"},
        {{"download", map, "--port", Pty(), "--retries", "6"}, retries + "6'"},
        {{"download", map, "--port", Pty(), "--retries", "-1"}, retries + "-1'"},
        {{"download", map, "--port", Pty(), "--wait-port", "1.5"}, wait + "1.5'"},
        {{"download", map, "--port", Pty(), "--wait-port", "3601"}, wait + "3601'"},
        {{"export", map, "--output", ""}, "mgw export: --output needs a value, not an empty one"},
        {{"export", map, "--points", "500"}, "mgw export: --points must be 350 or 750, not '500'"},
        {{"export", map, "--output", "-"},
         "mgw export: --json takes standard output: the listing cannot go there too (--output -)"},
        {{"upload", "-", "--port", Pty()}, "mgw upload: --json takes standard output: the map cannot go there too (FILE -)"},
        {{"import", map}, "mgw import: expects a listing and a map file"},
        {{"flash", map}, "mgw: unknown command 'flash' (see mgw --help)"},
        {{"verify", shortMap, "--port", Pty()},
         "mgw verify: " + shortMap + notMap + "it holds 10 bytes; a map file holds exactly 262144."},
        {{"download", longMap, "--port", Pty()},
         "mgw download: " + longMap + notMap + "it holds 262145 bytes; a map file holds exactly 262144."},
        {{"verify", wide, "--port", Pty()},
         "mgw verify: " + wide + notMap + "bank 1 address 9 holds 300; the gateway's cells hold 0 to 255."},
        {{"upload", dir.filePath("no/such.MGW"), "--port", Pty()},
         "mgw upload: cannot write " + dir.filePath("no/such.MGW") + ": No such file or directory"},
        {{"upload", dir.path(), "--port", Pty()}, "mgw upload: cannot write " + dir.path() + ": It is a folder."},
        {{"upload", fifo, "--port", Pty()}, "mgw upload: cannot write " + fifo + notRegular},
        {{"upload", toFifo, "--port", Pty()}, "mgw upload: cannot write " + toFifo + notRegular},
        {{"import", listing, fifo}, "mgw import: cannot write " + fifo + notRegular},
        {{"export", map, "--output", toFifo}, "mgw export: Settings Not Exported To: " + toFifo + notRegular},
        {{"import", listing, listing}, "mgw import: cannot write " + listing + replaces},
        {{"import", listing, dir.filePath("PLANT.csv")}, "mgw import: cannot write " + dir.filePath("PLANT.csv") + replaces},
        {{"import", listing, hard}, "mgw import: cannot write " + hard + replaces},
        {{"import", listing, out, "--into", soft},
         "mgw import: cannot read " + soft + ": It is the listing itself, not a map file."},
        {{"import", fifo, out}, "mgw import: cannot read " + fifo + ": It is not a regular file, so it cannot be a listing."},
        {{"import", dir.path(), out}, "mgw import: cannot read " + dir.path() + ": It is a folder."},
        {{"diff", dir.path(), map}, "mgw diff: cannot read " + dir.path() + ": It is a folder."},
        {{"import", map, out}, "mgw import: " + map + " not imported: this is a map file, not a listing"},
        {{"import", badListing, out}, "mgw import: " + badListing + " not imported:\nline 1: point 900: points are 1 to 750"},
        {{"download", "", "--port", Pty()}, "mgw download: FILE needs a name, not an empty one"},
        {{"diff", "", map}, "mgw diff: A needs a name, not an empty one"},
        {{"diff", map, ""}, "mgw diff: B needs a name, not an empty one"},
        {{"import", "", out}, "mgw import: LISTING needs a name, not an empty one"},
        {{"import", listing, ""}, "mgw import: MAP needs a name, not an empty one"},
        // The line log and the capture: never over the map file or its listing, whatever name leads there.
        {{"download", map, "--log", under, "--port", Pty()}, "mgw download: cannot write the line log " + under + ": Not a directory"},
        {{"download", map, "--capture", under, "--port", Pty()}, "mgw download: cannot write the capture " + under + ": Not a directory"},
        {{"verify", map, "--log", "/dev/null", "--port", Pty()}, "mgw verify: cannot write the line log /dev/null" + notRegular},
        {{"download", map, "--log", dir.filePath("link.MGW"), "--port", Pty()},
         "mgw download: the line log " + dir.filePath("link.MGW") + " would write over " + map},
        {{"verify", map, "--capture", listing, "--port", Pty()}, "mgw verify: the capture " + listing + " would write over " + listing},
        {{"upload", back, "--log", back, "--port", Pty()}, "mgw upload: the line log " + back + " would write over " + back},
        {{"probe", "--log", x, "--capture", x, "--port", Pty()}, "mgw probe: the line log and the capture are one file: " + x},
    };
    for (const auto &[arguments, line] : cases) {
        SCOPED_TRACE(line.toStdString());
        const Ran r = Mgw(arguments + QStringList{"--json"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, line + "\n");
        EXPECT_EQ(r.json["result"].toString(), "refused");
        EXPECT_EQ(r.json["message"].toString(), line);
    }
    EXPECT_EQ(Mgw({"verify", map, "--port", Pty(), "--retries", "1"}).status, 2); // verify is no transfer
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
        return why.empty() ? RunMgw({"upload", readOnly, "--port", Pty()}).err.toStdString() : why;
    });
    EXPECT_EQ(QString::fromStdString(said), "mgw upload: cannot write " + readOnly + ": Permission denied\n");
    EXPECT_TRUE(gateway.sim.Journal().empty());
    EXPECT_EQ(ReadAll(readOnly), "kept");
    EXPECT_EQ(ReadAll(listing), listed);
    EXPECT_EQ(QFileInfo(toFifo).symLinkTarget(), fifo);
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"bad.CSV", "hard.CSV", "link.MGW", "long.MGW", "pipe", "pipe.MGW", "plant.CSV", "plant.MGW",
                                                "ro.MGW", "short.MGW", "soft.MGW", "wide.MGW"}));

    // The real program: its one line, and no library's words before it.
    QProcess mgw;
    mgw.start(MGW_PROGRAM, {"diff", "", map});
    ASSERT_TRUE(mgw.waitForFinished(5000));
    EXPECT_EQ(mgw.exitCode(), 2);
    EXPECT_EQ(mgw.readAllStandardError(), "mgw diff: A needs a name, not an empty one\n");
}

// Every command takes what its help shows, --quiet included (a port that
// will not open is 3, an option refused 2); a listing named "-" is read
// from standard input, within a listing's size.
TEST_F(MgwTest, EveryCommandTakesQuietAndImportReadsStandardInput)
{
    const QString map = SampleMap(), listing = dir.filePath("plant.CSV"), none = dir.filePath("ttyUSB9");
    const std::pair<QStringList, int> commands[] = {
        {{"download", map, "--port", none}, 3}, {{"upload", dir.filePath("up.MGW"), "--port", none}, 3},
        {{"verify", map, "--port", none}, 3},   {{"export", map, "--points", "350"}, 0},
        {{"diff", map, map}, 0},                {{"import", listing, dir.filePath("in.MGW")}, 0},
    };
    for (const auto &[arguments, status] : commands) {
        const Ran help = Mgw({arguments[0], "--help"});
        EXPECT_TRUE(help.out.section("\n\n", 0, 0).endsWith(" [--quiet]")) << help.out.toStdString(); // the usage lines
        for (const char *quiet : {"--quiet", "-q"})
            EXPECT_EQ(Mgw(arguments + QStringList{quiet}).status, status) << arguments.join(' ').toStdString() << quiet;
    }
    EXPECT_EQ(ReadAll(dir.filePath("in.MGW")).size(), 262144);

    const auto FromInput = [&](const QByteArray &text) {
        QBuffer in;
        in.setData(text);
        in.open(QIODevice::ReadOnly);
        const Ran r = Mgw({"import", "-", dir.filePath("std.MGW")}, &in);
        return std::pair(r.status, r.err);
    };
    EXPECT_EQ(FromInput(ReadAll(listing)), std::pair(0, "Points Imported Into " + dir.filePath("std.MGW") + ": 350\n"));
    EXPECT_EQ(ReadAll(dir.filePath("std.MGW")), ReadAll(map));
    EXPECT_EQ(FromInput(QByteArray(64 * 1024 * 1024 + 1, ' ')),
              std::pair(2, QString("mgw import: cannot read -: It holds more than 67108864 bytes, far more than a listing.\n")));
}

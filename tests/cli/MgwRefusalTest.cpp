// What mgw refuses before anything is sent or written: files that are not
// regular, a listing named as its own map, empty names; and the options
// and standard input every command takes.
#include "cli/MgwFixture.h"

#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace modLumentorMGW;

namespace {
bool IsFifo(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path), &st) == 0 && S_ISFIFO(st.st_mode);
}
} // namespace

// One line naming why, status 2, nothing sent, every file as it was.
TEST_F(MgwTest, FilesThatAreNotRegularTheListingItselfAndEmptyNamesAreRefused)
{
    const QString map = SampleMap(), listing = dir.filePath("plant.CSV"), out = dir.filePath("out.MGW");
    ASSERT_EQ(Mgw({"export", map}).status, 0);
    const QByteArray listed = ReadAll(listing);
    const QString fifo = dir.filePath("pipe"), toFifo = dir.filePath("pipe.MGW"), hard = dir.filePath("hard.CSV"),
                  soft = dir.filePath("soft.MGW");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0644), 0);
    ASSERT_TRUE(QFile::link(fifo, toFifo));
    ASSERT_TRUE(QFile::link(listing, soft));
    ASSERT_EQ(::link(QFile::encodeName(listing), QFile::encodeName(hard)), 0);
    const QString notRegular = ": It is not a regular file.";
    const QString replaces = ": The map file would replace the listing itself.";
    const std::pair<QStringList, QString> cases[] = {
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
        {{"import", "/dev/zero", out},
         "mgw import: cannot read /dev/zero: It is not a regular file, so it cannot be a listing."},
        {{"import", dir.path(), out}, "mgw import: cannot read " + dir.path() + ": It is a folder."},
        {{"diff", dir.path(), map}, "mgw diff: cannot read " + dir.path() + ": It is a folder."},
        {{"import", map, out}, "mgw import: " + map + " not imported: this is a map file, not a listing"},
        {{"upload", "", "--port", Pty()}, "mgw upload: FILE needs a name, not an empty one"},
        {{"download", "", "--port", Pty()}, "mgw download: FILE needs a name, not an empty one"},
        {{"verify", "", "--port", Pty()}, "mgw verify: FILE needs a name, not an empty one"},
        {{"export", ""}, "mgw export: FILE needs a name, not an empty one"},
        {{"diff", "", map}, "mgw diff: A needs a name, not an empty one"},
        {{"diff", map, ""}, "mgw diff: B needs a name, not an empty one"},
        {{"import", "", out}, "mgw import: LISTING needs a name, not an empty one"},
        {{"import", listing, ""}, "mgw import: MAP needs a name, not an empty one"},
        {{"import", listing, out, "--into", ""}, "mgw import: --into needs a value, not an empty one"},
    };
    for (const auto &[arguments, line] : cases) {
        const Ran r = Mgw(arguments);
        EXPECT_EQ(r.status, 2) << line.toStdString();
        EXPECT_EQ(r.err + r.out, line + "\n");
    }
    EXPECT_TRUE(gateway.sim.Journal().empty());
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(QFileInfo(toFifo).symLinkTarget(), fifo);
    EXPECT_EQ(ReadAll(listing), listed);
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"hard.CSV", "pipe", "pipe.MGW", "plant.CSV", "plant.MGW", "soft.MGW"}));

    // The real program: its one line, and no library's words before it.
    QProcess mgw;
    mgw.start(MGW_PROGRAM, {"diff", "", map});
    ASSERT_TRUE(mgw.waitForFinished(5000));
    EXPECT_EQ(mgw.exitCode(), 2);
    EXPECT_EQ(mgw.readAllStandardError(), "mgw diff: A needs a name, not an empty one\n");
}

// Every command takes what its help shows, --quiet included; a listing
// named "-" is read from standard input, within a listing's size.
TEST_F(MgwTest, EveryCommandTakesQuietAndImportReadsStandardInput)
{
    const QString map = SampleMap(), listing = dir.filePath("plant.CSV");
    const std::pair<QStringList, int> commands[] = {
        {{"download", map, "--port", Pty()}, 0}, {{"upload", dir.filePath("up.MGW"), "--port", Pty()}, 0},
        {{"verify", map, "--port", Pty()}, 0},   {{"export", map, "--points", "350"}, 0},
        {{"diff", map, map}, 0},                 {{"import", listing, dir.filePath("in.MGW")}, 0},
    };
    for (const auto &[arguments, status] : commands) {
        const Ran help = Mgw({arguments[0], "--help"});
        EXPECT_TRUE(help.out.section("\n\n", 0, 0).endsWith(" [--quiet]")) << help.out.toStdString(); // the usage lines
        for (const char *quiet : {"--quiet", "-q"})
            EXPECT_EQ(Mgw(arguments + QStringList{quiet}).status, status) << arguments.join(' ').toStdString() << quiet;
    }
    EXPECT_EQ(ReadAll(dir.filePath("in.MGW")).size(), 262144);

    const auto FromInput = [&](const QByteArray &text) {
        QBuffer in, out, err;
        in.setData(text);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = mgw::RunMgw({"import", "-", dir.filePath("std.MGW")}, mgw::Console{out, err, false, &in});
        return std::pair(status, QString::fromUtf8(err.data()));
    };
    EXPECT_EQ(FromInput(ReadAll(listing)), std::pair(0, "Points Imported Into " + dir.filePath("std.MGW") + ": 350\n"));
    EXPECT_EQ(ReadAll(dir.filePath("std.MGW")), ReadAll(map));
    EXPECT_EQ(FromInput(QByteArray(64 * 1024 * 1024 + 1, ' ')),
              std::pair(2, QString("mgw import: cannot read -: It holds more than 67108864 bytes, far more than a listing.\n")));
}

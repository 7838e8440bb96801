#include "cli/Mgw.h"

#include "cli/Invocation.h"
#include "cli/TransferOptions.h"
#include "export/CsvPath.h"
#include "link/LineRecords.h"
#include "cli/RecordOptions.h"
#include "link/MsgBox.h"
#include "link/ReplyClock.h"
#include "record/RunReport.h"

#include <QCommandLineParser>
#include <QIODevice>

namespace mgw {

volatile std::sig_atomic_t Interrupted = 0;

namespace {
const char Version[] = "mgw " MGW_VERSION "\n";

const char ProgramHelp[] =
    "Usage: mgw COMMAND ARGUMENTS [--quiet] [--json]\n"
    "\n"
    "The Lumentor mapped gateway from the command line, on the same core as\n"
    "LumentorMGW: the same transfers, checks and texts, without the window.\n"
    "\n"
    "Commands:\n"
    "  download FILE --port PORT    write FILE's map into the gateway\n"
    "  upload FILE --port PORT      read the gateway's map into FILE\n"
    "  verify FILE --port PORT      compare the gateway's bank checksums with FILE's\n"
    "  probe --port PORT            test the line to the gateway and say what is wrong\n"
    "  export FILE [--points 350|750] [--output CSV]\n"
    "                               write FILE's CSV listing\n"
    "  diff A B                     list the points and settings that differ\n"
    "  import LISTING MAP [--points 350|750] [--into BASE]\n"
    "                               write a listing's points into the map file MAP\n"
    "  record [--gateway NAME] [--port PORT] [--map FILE] [--since DATE] [--last]\n"
    "                               print the commissioning record\n"
    "\n"
    "--json: standard output carries one JSON object when the command ends,\n"
    "whatever the outcome (see mgw(1)). Every download, upload and verify adds\n"
    "a line to the commissioning record (--record FILE, --gateway NAME).\n"
    "\n"
    "PORT is COM1 to COM8 (on Linux /dev/ttyS0 to /dev/ttyS7), a port that\n"
    "LumentorMGW lists (ttyUSB0), or any device path. Every command with --port\n"
    "also takes --log FILE (a line log) and --capture FILE.pcapng (for Wireshark).\n"
    "Progress and messages go to standard error, results to standard output.\n"
    "\"mgw COMMAND --help\" tells more; \"mgw --version\" gives the version.\n"
    "\n"
    "Exit status: 0 done; 1 verify or diff found a difference; 2 a bad argument\n"
    "or a file that cannot be read or written; 3 the port would not open; the\n"
    "gateway's error code (4, 21 to 24, 52, 61 to 64, 71) when a transfer fails;\n"
    "10 to 13 the probe's verdicts (see mgw probe --help); 130 interrupted (Ctrl+C).\n";

#define TransferOptionsHelp                                                          \
    "\nA port that goes away is closed and the same adapter waited for, --wait-port\n" \
    "seconds (60; 0 fails at once); the transfer then goes on. --retries N (0 to\n"   \
    "5) sends a command whose reply timed out or was spoilt again, up to N times.\n"

struct CommandEntry
{
    const char *name;
    int (*run)(const Invocation &);
    int files;
    bool gateway; // takes --port and shows progress
    const char *help;
};

const CommandEntry Commands[] = {
    {"download", Download, 1, true,
     "Usage: mgw download FILE --port PORT [--retries N] [--wait-port SECONDS] [--resume]\n"
     "       [--log FILE] [--capture FILE.pcapng] [--gateway NAME] [--record FILE] [--json] [--quiet]\n\n"
     "Writes the map file FILE into the gateway as LumentorMGW's Download does:\n"
     "the clearing commands, every block that holds a nonzero cell, then both\n"
     "bank checksums. FILE must be a map file exactly: 262144 bytes, every cell\n"
     "0 to 255, else nothing is sent (2). Exit status 0 on \"Download Complete\",\n"
     "else the error code (4, 21 to 24, 52, 61 to 64); Ctrl+C cancels (130).\n"
     TransferOptionsHelp
     "--resume goes on from the first block not confirmed of the last download\n"
     "through that adapter, when it was of the same map and stopped part way;\n"
     "otherwise nothing is sent (2). A failed download says how to resume it.\n"},
    {"upload", Upload, 1, true,
     "Usage: mgw upload FILE --port PORT [--retries N] [--wait-port SECONDS]\n"
     "       [--log FILE] [--capture FILE.pcapng] [--gateway NAME] [--record FILE] [--json] [--quiet]\n\n"
     "Reads the gateway's whole memory as LumentorMGW's Upload does and writes\n"
     "it to FILE, only once the upload and both bank checksums have succeeded:\n"
     "a failed or cancelled upload leaves FILE as it was. FILE's room is taken\n"
     "first: one that cannot be written, or that is not a regular file (a\n"
     "device, a FIFO), is refused before anything is sent (2); - is standard\n"
     "output. Exit status 0 on \"Upload Complete\", else the error\n"
     "code (71, 52, 61 to 64); Ctrl+C cancels (130).\n"
     TransferOptionsHelp},
    {"verify", Verify, 1, true,
     "Usage: mgw verify FILE --port PORT\n"
     "       [--log FILE] [--capture FILE.pcapng] [--gateway NAME] [--record FILE] [--json] [--quiet]\n\n"
     "Asks the gateway for its two bank checksums only and compares them with\n"
     "FILE's; changes nothing in the gateway. Exit status 0 when both agree, 1\n"
     "when a bank differs, 52 when the gateway does not answer, 2 when FILE is\n"
     "not a map file exactly (262144 bytes, every cell 0 to 255).\n"},
    {"probe", Probe, 0, true,
     "Usage: mgw probe --port PORT [--log FILE] [--capture FILE.pcapng] [--json] [--quiet]\n\n"
     "Tests the line to the gateway: opens the port as the transfers do, sends\n"
     "the bank checksum command (which changes nothing) five times, and prints\n"
     "what the port is (a USB adapter's ids, names, serial number, driver and\n"
     "latency timer), each command's round trip beside its line time, how long a\n"
     "dense download and a full upload would take on this line, and a verdict\n"
     "with advice. A silent line ends it at the first time-out (5 s).\n\n"
     "Exit status: 0 the gateway answers; 10 nothing came back (power, cable,\n"
     "TX and RX crossed); 11 the line echoes what is sent (TX and RX joined);\n"
     "12 characters came back but no reply frame (another speed, another\n"
     "device); 13 replies came back damaged (noise, grounding); 3 the port\n"
     "would not open; 2 a bad argument; 130 interrupted (Ctrl+C).\n"},
    {"export", Export, 1, false,
     "Usage: mgw export FILE [--points 350|750] [--output CSV] [--json] [--quiet]\n\n"
     "Writes the CSV listing of the map file FILE as LumentorMGW's Export does,\n"
     "for 750 points (BACnet, the default) or 350 (LonWorks). Without --output\n"
     "the listing goes beside FILE, its name ending in CSV in place of FILE's\n"
     "last three characters; --output - writes it to standard output. A path\n"
     "that names the map file itself is refused.\n"},
    {"diff", Diff, 2, false,
     "Usage: mgw diff A B [--json] [--quiet]\n\n"
     "Lists the points and settings that differ between the map files A and B,\n"
     "as listing lines marked - (A) and + (B) under each point's number. Exit\n"
     "status 0 when the images are equal, 1 when they differ.\n"},
    {"import", Import, 2, false,
     "Usage: mgw import LISTING MAP [--points 350|750] [--into BASE] [--json] [--quiet]\n\n"
     "Reads the CSV listing LISTING, as mgw export or LumentorMGW's Export wrote\n"
     "it or a spreadsheet saved it again (- reads standard input), and writes the\n"
     "map file MAP: the listed points onto the map file BASE, or onto a cleared\n"
     "map without --into. Every line is checked first against points 1 to 750\n"
     "(the default) or 350; a bad line writes nothing and exits 2 with the first\n"
     "20 bad lines. A MAP or BASE that is the listing itself is refused.\n"},
    {"record", Record, 0, false, RecordHelp},
};

void Write(QIODevice &device, const char *text)
{
    device.write(text);
}

// The file arguments as the usage line names them ("A", "B").
QStringList FileWords(const CommandEntry &entry)
{
    const QString usage = QString::fromLatin1(entry.help).section(QLatin1Char('\n'), 0, 0);
    return usage.split(QLatin1Char(' ')).mid(3, entry.files);
}

int RunCommand(const CommandEntry &entry, const QStringList &arguments, Invocation &call)
{
    const Console &console = call.console;
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("PORT"));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")}, QString());
    const QCommandLineOption points(QStringLiteral("points"), QString(), QStringLiteral("N"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("CSV"));
    const QCommandLineOption into(QStringLiteral("into"), QString(), QStringLiteral("BASE"));
    const QCommandLineOption log(QStringLiteral("log"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption capture(QStringLiteral("capture"), QString(), QStringLiteral("FILE"));
    const RecordOptions recording;
    const bool recorded = entry.gateway && entry.run != Probe; // the probe changes nothing to record
    QList<QCommandLineOption> offered{help};
    offered << quiet;
    if (entry.gateway || entry.run == Record)
        offered << port;
    if (entry.gateway)
        offered << log << capture;
    recording.Offer(offered, recorded, entry.run == Record);
    if (entry.run == Export)
        offered << points << output;
    if (entry.run == Import)
        offered << points << into;
    offered << TransferOptions(call);
    parser.addOptions(offered);
    if (!parser.parse(QStringList{QStringLiteral("mgw")} + arguments))
        return call.Refuse(parser.errorText());
    if (parser.isSet(help)) {
        Write(call.json ? console.err : console.out, entry.help); // --json: the object alone on stdout
        call.report->SetResult(QStringLiteral("complete")); // nothing was compared
        return 0;
    }
    // Nothing is taken silently: not a second value, not an empty one.
    for (const QCommandLineOption &option : offered) {
        const QString name = QStringLiteral("--") + option.names().constLast();
        int given = 0;
        for (const QString &found : parser.optionNames())
            given += option.names().contains(found);
        if (given > 1)
            return call.Refuse(QStringLiteral("%1 is given more than once").arg(name));
        if (!option.valueName().isEmpty() && parser.isSet(option) && parser.value(option).isEmpty())
            return call.Refuse(QStringLiteral("%1 needs a value, not an empty one").arg(name));
    }
    call.files = parser.positionalArguments();
    if (call.files.size() > entry.files)
        return call.Refuse(QStringLiteral("unexpected argument '%1'").arg(call.files.at(entry.files)));
    if (call.files.size() != entry.files)
        return call.Refuse(entry.files == 1 ? QStringLiteral("expects one map file (see mgw %1 --help)").arg(call.command)
                                           : entry.run == Import ? QStringLiteral("expects a listing and a map file")
                                                                 : QStringLiteral("expects two map files, A and B"));
    if (const int empty = int(call.files.indexOf(QString())); empty >= 0)
        return call.Refuse(QStringLiteral("%1 needs a name, not an empty one").arg(FileWords(entry).value(empty)));
    call.quiet = parser.isSet(quiet);
    if (!recording.Take(parser, recorded, entry.run == Record, call))
        return ExitUsage;
    if (entry.run == Record)
        call.port = parser.value(port);
    if (entry.gateway) {
        call.port = parser.value(port);
        if (call.port.isEmpty())
            return call.Refuse(QStringLiteral("--port PORT is required"));
        call.log = parser.value(log);
        call.capture = parser.value(capture);
    }
    if ((entry.run == Export || entry.run == Import) && parser.isSet(points)) {
        const QString n = parser.value(points);
        if (n != QLatin1String("350") && n != QLatin1String("750"))
            return call.Refuse(QStringLiteral("--points must be 350 or 750, not '%1'").arg(n));
        call.points = n.toInt();
    }
    if (entry.run == Export)
        call.output = parser.value(output);
    if (entry.run == Import)
        call.into = parser.value(into);
    if (const int refused = TakeTransferOptions(parser, call))
        return refused;
    // The line's records begin before anything is sent, never over the map file or its listing.
    modLumentorMGW::LineRecords records;
    QStringList kept;
    for (const QString &file : call.files) {
        if (file != QLatin1String("-")) // standard input or output
            kept << file << modLumentorMGW::CsvPathFor(file);
    }
    QString reason;
    if (!records.Begin(call.log, call.capture, QStringLiteral("mgw " MGW_VERSION), kept, &reason))
        return call.Refuse(reason);
    const int status = entry.run(call);
    for (const QString &line : records.Failures())
        call.Say(line);
    return status;
}
} // namespace

int RunMgw(const QStringList &arguments, const Console &console)
{
    const QString first = arguments.value(0);
    if (first.isEmpty() || first == QLatin1String("--help") || first == QLatin1String("-h")
        || first == QLatin1String("help")) {
        for (const CommandEntry &entry : Commands) {
            if (first == QLatin1String("help") && arguments.value(1) == QLatin1String(entry.name)) {
                Write(console.out, entry.help);
                return 0;
            }
        }
        Write(first.isEmpty() ? console.err : console.out, ProgramHelp);
        return first.isEmpty() ? ExitUsage : 0;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        Write(console.out, Version);
        return 0;
    }
    for (const CommandEntry &entry : Commands) {
        if (first == QLatin1String(entry.name)) {
            modLumentorMGW::RunReport report(QStringLiteral("mgw"), QStringLiteral(MGW_VERSION),
                                             QString::fromLatin1(entry.name), arguments.mid(1));
            // The transfers' boxes become lines on standard error.
            const modLumentorMGW::MsgBoxHandler previous = modLumentorMGW::SetMsgBoxHandler(
                [&console, &report](const QString &text, int style, const QString &) {
                    report.AddMessage(text);
                    Say(console.err, text);
                    return modLumentorMGW::UnattendedAnswer(style);
                });
            // Ctrl+C ends a wait on the line at once, not after its time-out.
            const modLumentorMGW::WaitBreaker breaker =
                modLumentorMGW::SetWaitBreaker([] { return Interrupted != 0; });
            Invocation call{console, QString::fromLatin1(entry.name)};
            call.report = &report;
            call.json = arguments.contains(QStringLiteral("--json"));
            const int status = EndRun(call, RunCommand(entry, arguments.mid(1), call));
            modLumentorMGW::SetWaitBreaker(breaker);
            modLumentorMGW::SetMsgBoxHandler(previous);
            return status;
        }
    }
    return RefuseUnknown(arguments, console);
}

} // namespace mgw

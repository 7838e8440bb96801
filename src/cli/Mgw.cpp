#include "cli/Mgw.h"

#include "cli/CommandTable.h"
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
    call.recorded = entry.gateway && entry.run != Probe; // the probe changes nothing to record
    QList<QCommandLineOption> offered{help};
    offered << quiet;
    if (entry.gateway || entry.run == Record)
        offered << port;
    if (entry.gateway)
        offered << log << capture;
    recording.Offer(offered, call.recorded, entry.run == Record);
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
    if (!recording.Take(parser, call.recorded, entry.run == Record, call))
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

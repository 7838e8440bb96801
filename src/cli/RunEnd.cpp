// How every mgw run ends: its outcome told to scripts (--json) and, for
// the commands that meet the gateway, kept in the commissioning record.
#include "cli/Invocation.h"

#include "record/RecordFile.h"
#include "record/RunReport.h"

#include <QIODevice>
#include <QJsonObject>

using namespace modLumentorMGW;

namespace mgw {

// A record that cannot be written never changes the exit status: the
// transfer happened. It is said on standard error and in the JSON.
int EndRun(const Invocation &call, int status)
{
    RunReport &report = *call.report;
    report.Finish(status);
    const QString result = report.Object().value(QLatin1String("result")).toString();
    if (call.recorded && result != QLatin1String("refused")) {
        report.AddWhereAndWho(call.gateway);
        const QString path = RecordPath(call.record);
        QString reason;
        const bool written = AppendRecordLine(path, report.Line(), &reason);
        if (!written)
            Say(call.console.err, QStringLiteral("mgw %1: not kept in the record %2: %3").arg(call.command, path, reason));
        QJsonObject kept{{QLatin1String("path"), path}, {QLatin1String("written"), written}};
        if (!written)
            kept[QLatin1String("reason")] = reason;
        report.Set(QStringLiteral("record"), kept);
    }
    // mgw record --json has printed its lines: JSON Lines, not one object.
    if (call.json && !(call.command == QLatin1String("record") && status == 0))
        call.console.out.write(report.Line() + '\n');
    return status;
}

int RefuseUnknown(const QStringList &arguments, const Console &console)
{
    const QString first = arguments.value(0);
    RunReport report(QStringLiteral("mgw"), QStringLiteral(MGW_VERSION), first, arguments.mid(1));
    Invocation call{console, first};
    call.report = &report;
    call.json = arguments.contains(QStringLiteral("--json"));
    call.Say(QStringLiteral("mgw: unknown command '%1' (see mgw --help)").arg(first));
    return EndRun(call, ExitUsage);
}

} // namespace mgw

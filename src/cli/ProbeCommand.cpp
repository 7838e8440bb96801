// probe: the line to the gateway tested, its verdict as the exit status.
#include "cli/Invocation.h"

#include "link/Probe.h"
#include "record/RunReport.h"

#include <QJsonObject>

namespace mgw {

namespace {
int ExitStatus(modLumentorMGW::ProbeVerdict verdict)
{
    using modLumentorMGW::ProbeVerdict;
    switch (verdict) {
    case ProbeVerdict::Answers:
        return 0;
    case ProbeVerdict::PortClosed:
        return ExitPort;
    case ProbeVerdict::Silent:
        return 10;
    case ProbeVerdict::Echo:
        return 11;
    case ProbeVerdict::NoFrame:
        return 12;
    case ProbeVerdict::Damaged:
        return 13;
    case ProbeVerdict::Interrupted:
        break;
    }
    return ExitInterrupted;
}

const char *VerdictWord(modLumentorMGW::ProbeVerdict verdict)
{
    static const char *const words[] = {"answers", "port_closed", "silent", "echo", "no_frame", "damaged", "interrupted"};
    return words[int(verdict)];
}
} // namespace

int Probe(const Invocation &call)
{
    const modLumentorMGW::ProbeReport report = modLumentorMGW::ProbeGateway(ReportedPort(call));
    call.report->Set(QStringLiteral("probe"), QJsonObject{{QLatin1String("verdict"), QLatin1String(VerdictWord(report.verdict))},
                                                          {QLatin1String("text"), report.text}});
    QString text = report.text;
    call.Print(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    return ExitStatus(report.verdict);
}

} // namespace mgw

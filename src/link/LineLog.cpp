#include "link/LineLog.h"

#include "link/MSComm.h"
#include "link/PortDevice.h"
#include "link/PortIdentity.h"

namespace modLumentorMGW {

bool LineLog::Begin(const QString &path, const QString &program, QString *reason)
{
    if (!file_.Begin(path, reason))
        return false;
    Line(QStringLiteral("# %1 line log").arg(program));
    return true;
}

void LineLog::Line(const QString &text)
{
    file_.Append(text.toUtf8() + '\n');
}

void LineLog::Seen(const LineEvent &e)
{
    const QString at = QString::number(e.ms, 'f', 3);
    switch (e.kind) {
    case LineEventKind::Opened: {
        const PortIdentity id = IdentifyPort(OpenedDevice(e.text));
        Line(QStringLiteral("# port %1").arg(e.text));
        for (const QString &line : DescribePort(id))
            Line(QStringLiteral("# ") + line);
        if (id.latencyTimerMs >= 0)
            Line(QStringLiteral("# latency timer %1 ms").arg(id.latencyTimerMs));
        Line(QStringLiteral("# line %1, low latency %2").arg(comMGW.Settings(), comMGW.LowLatencyState()));
        Line(at + QStringLiteral(" opened"));
        break;
    }
    case LineEventKind::Sent:
        Line(at + QStringLiteral(" sent ") + EscapedFrame(e.bytes));
        break;
    case LineEventKind::Received:
    case LineEventKind::Discarded:
        Line(at + QStringLiteral(" received ") + EscapedFrame(e.bytes) + QLatin1Char(' ') + e.text);
        break;
    case LineEventKind::TimedOut:
        Line(at + QStringLiteral(" received ") + EscapedFrame(e.bytes) + (e.bytes.isEmpty() ? QString() : QStringLiteral(" "))
             + e.text);
        break;
    case LineEventKind::Note:
        Line(at + QLatin1Char(' ') + e.text);
        break;
    case LineEventKind::Closed:
        Line(at + QStringLiteral(" closed"));
        break;
    }
}

} // namespace modLumentorMGW

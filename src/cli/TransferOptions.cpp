#include "cli/TransferOptions.h"

#include <QCommandLineParser>

#include <algorithm>

namespace mgw {

namespace {
const QCommandLineOption Retries(QStringLiteral("retries"), QString(), QStringLiteral("N"));
const QCommandLineOption WaitPort(QStringLiteral("wait-port"), QString(), QStringLiteral("SECONDS"));
const QCommandLineOption Resume(QStringLiteral("resume"), QString());

bool Transfers(const Invocation &call)
{
    return call.command == QLatin1String("download") || call.command == QLatin1String("upload");
}

// A whole number from low to high, digits only; -1 when it is not.
int Number(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    return ok && digits && n >= low && n <= high ? n : -1;
}
} // namespace

QList<QCommandLineOption> TransferOptions(const Invocation &call)
{
    if (!Transfers(call))
        return {};
    if (call.command == QLatin1String("download"))
        return {Retries, WaitPort, Resume};
    return {Retries, WaitPort};
}

int TakeTransferOptions(const QCommandLineParser &parser, Invocation &call)
{
    if (!Transfers(call))
        return 0;
    if (parser.isSet(Retries)) {
        call.retries = Number(parser.value(Retries), 0, 5);
        if (call.retries < 0)
            return call.Refuse(QStringLiteral("--retries must be 0 to 5, not '%1'").arg(parser.value(Retries)));
    }
    if (parser.isSet(WaitPort)) {
        call.waitPort = Number(parser.value(WaitPort), 0, 3600);
        if (call.waitPort < 0)
            return call.Refuse(
                QStringLiteral("--wait-port must be 0 to 3600 seconds, not '%1'").arg(parser.value(WaitPort)));
    }
    call.resume = call.command == QLatin1String("download") && parser.isSet(Resume);
    return 0;
}

} // namespace mgw

#include "link/TransferLine.h"

#include "link/LineObserver.h"
#include "link/MSComm.h"
#include "link/MsgBox.h"
#include "link/PortDevice.h"
#include "link/ReplyClock.h"
#include "link/Transaction.h"
#include "link/Transfer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace modLumentorMGW {

namespace {
TransferPatience patience;

// The line's watchers (the log, the capture) see retries and the port's comings and goings.
void NoteLine(const QString &text)
{
    TellLine({LineEventKind::Note, {}, text});
}
TransferLine *alive = nullptr;

// How often a gone adapter is looked for, and how long one that is back may
// refuse to open (its permissions still being set) before that counts as
// another program having it.
constexpr int LookEveryMs = 100;
constexpr int RefusalGraceMs = 500;
} // namespace

void SetTransferPatience(const TransferPatience &next)
{
    patience = {std::clamp(next.retries, 0, 5), std::max(next.portWaitSeconds, 0)};
}

TransferPatience CurrentTransferPatience()
{
    return patience;
}

TransferLine::TransferLine(int16_t port, TransferPanel &panel)
    : port_(port), panel_(panel), patience_(patience), adapter_(IdentifyAdapter(port)),
      redirection_(PortRedirection(port)), outer_(alive)
{
    alive = this;
}

TransferLine::~TransferLine()
{
    if (redirected_)
        SetPortDevice(port_, redirection_);
    alive = outer_;
}

// The port is closed at once (a pulled adapter left open comes back under
// another name), then looked for until it is back, Cancel, or the time is up.
// The line was told it went away by the transaction that found it gone.
bool TransferLine::WaitForPort()
{
    const QString name = adapter_.path;
    CloseGatewayPort();
    const qint64 limit = qint64(patience_.portWaitSeconds) * 1000;
    QElapsedTimer waited;
    waited.start();
    qint64 shown = -1, refusedSince = -1;
    while (waited.elapsed() < limit) {
        const qint64 left = (limit - waited.elapsed() + 999) / 1000;
        if (left != shown)
            panel_.SetCaption(QStringLiteral("The port %1 went away: plug the adapter back in (waiting %2 s)")
                                  .arg(name)
                                  .arg(left));
        shown = left;
        panel_.ProcessEvents();
        if (CancelRequested || WaitBreakAsked()) {
            CancelRequested = true;
            return false;
        }
        const QString where = FindAdapter(adapter_);
        if (!where.isEmpty()) {
            if (where != PortDevice(port_)) {
                SetPortDevice(port_, where);
                redirected_ = true;
            }
            if (ReopenGatewayPort()) {
                NoteLine(QStringLiteral("port %1 is back as %2").arg(name, OpenedDevice(where)));
                panel_.SetCaption(QStringLiteral("The port %1 is back").arg(name));
                return true;
            }
            if (refusedSince < 0)
                refusedSince = waited.elapsed();
            if (waited.elapsed() - refusedSince >= RefusalGraceMs) {
                // Back, but taken: another program waiting for it was first.
                MsgBox(QStringLiteral("Unable To Open Port\r\n") + comMGW.OpenFailure(), vbCritical,
                       QStringLiteral("Port Error"));
                return false;
            }
        } else {
            refusedSince = -1;
        }
        QThread::msleep(LookEveryMs);
    }
    return false;
}

bool Exchange(const QString &command, int16_t replyLength)
{
    TransferLine *line = alive;
    for (int tries = 0;;) {
        if (SendCommand(command, replyLength))
            return true;
        if (!line || WaitBreakAsked())
            return false;
        if (PortWentAway()) {
            if (line->patience_.portWaitSeconds > 0 && line->WaitForPort())
                continue; // the same command again: its answer never came
            return false;
        }
        if (!comMGW.PortOpen() || tries >= line->patience_.retries)
            return false;
        ++tries;
        ++line->retries_;
        NoteLine(QStringLiteral("retry %1 of %2: %3").arg(tries).arg(line->patience_.retries).arg(command.left(7)));
    }
}

QString RetriesLine()
{
    const int n = alive ? alive->Retries() : 0;
    if (n == 0)
        return QString();
    return n == 1 ? QStringLiteral("\r\n1 Retry") : QStringLiteral("\r\n%1 Retries").arg(n);
}

} // namespace modLumentorMGW

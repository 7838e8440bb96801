#include "link/Transaction.h"

#include "link/Frame.h"
#include "link/LineObserver.h"
#include "link/MSComm.h"
#include "link/MsgBox.h"
#include "link/PortDevice.h"
#include "link/ReplyClock.h"

#include <QElapsedTimer>

#include <algorithm>

namespace modLumentorMGW {

QByteArray LastReply;

namespace {
bool portLost = false;

// A failure that is no time-out and no break: the device is gone.
bool Lost()
{
    portLost = !WaitBreakAsked();
    TellLine({LineEventKind::Note, {}, portLost ? QStringLiteral("the port went away") : QStringLiteral("Ctrl+C")});
    return false;
}

// Input thrown away unread, for the line's watchers.
void TellDiscarded(const QByteArray &stale)
{
    if (!stale.isEmpty())
        TellLine({LineEventKind::Discarded, stale, QStringLiteral("stale input discarded (%1 characters)").arg(stale.size())});
}

// A reply still on its way from before this opening (a run cut short) must
// not become the answer to this run's first command: what comes is
// discarded until the line has been quiet for QuietMs, for no longer than
// QuietLimitMs in all. Real time, in slices a wait break can end.
void WaitForQuietLine()
{
    QElapsedTimer clock;
    clock.start();
    QByteArray stale = comMGW.Input();
    qint64 quietSince = 0;
    for (;;) {
        const qint64 now = clock.elapsed();
        const qint64 wait = std::min(quietSince + QuietMs, qint64(QuietLimitMs)) - now;
        if (wait <= 0 || WaitBreakAsked())
            break;
        const Waited news = comMGW.Wait(PortWait::Input, int(std::min(wait, qint64(QuietMs))));
        if (news == Waited::Failed)
            break;
        const QByteArray more = news == Waited::Progress ? comMGW.Input() : QByteArray();
        if (!more.isEmpty())
            quietSince = clock.elapsed();
        stale += more;
    }
    TellDiscarded(stale);
}
} // namespace

bool OpenGatewayPort(int16_t port)
{
    comMGW.SetCommPort(port);
    comMGW.SetSettings(QStringLiteral("38400,N,8,1"));
    if (!ReopenGatewayPort()) {
        MsgBox(QStringLiteral("Unable To Open Port\r\n") + comMGW.OpenFailure(), vbCritical,
               QStringLiteral("Port Error"));
        return false;
    }
    return true;
}

bool ReopenGatewayPort()
{
    if (!comMGW.SetPortOpen(true))
        return false;
    comMGW.SetRTSEnable(true); // a pseudo-terminal refuses; that is no port error
    portLost = false;
    TellLine({LineEventKind::Opened, {}, PortDevice(comMGW.CommPort())});
    WaitForQuietLine();
    return true;
}

bool PortWentAway()
{
    return portLost;
}

QString PortWentAwayLine()
{
    return portLost ? QStringLiteral("\r\nThe port %1 went away: was the adapter unplugged?")
                          .arg(PortDevice(comMGW.CommPort()))
                    : QString();
}

void CloseGatewayPort()
{
    if (comMGW.PortOpen()) {
        comMGW.SetPortOpen(false);
        TellLine({LineEventKind::Closed, {}, {}});
    }
}

namespace {
// Until nothing is left: one read takes only what the OS hands over at
// once, and a line may hold several times that.
QByteArray AllInput()
{
    QByteArray input;
    while (comMGW.InBufferCount() > 0)
        input += comMGW.Input();
    return input;
}

void DiscardInput()
{
    TellDiscarded(AllInput());
}

// What came too late or too little is kept for the line's watchers only;
// the next command would discard it anyway.
bool TimedOut(ReplyClock &clock)
{
    TellLine({LineEventKind::TimedOut, AllInput(), QStringLiteral("time-out after %1 ms").arg(clock.Elapsed())});
    return false;
}

// Milliseconds a frame takes on the line: 10 bits a character at 38400 baud.
int32_t LineTimeMs(qsizetype characters)
{
    return int32_t((characters * 10 * 1000 + 38399) / 38400);
}

// Waits on `clock` until `what` is done or the clock reads `limit`; false
// when the time is up or the port gives out first (how says which).
template <typename Done>
bool WaitUntil(ReplyClock &clock, PortWait what, int32_t limit, Done done, Waited &how)
{
    for (;;) {
        if (done())
            return true;
        const int32_t elapsed = clock.Elapsed();
        how = elapsed >= limit ? Waited::TimedOut : clock.Wait(comMGW, what, limit - elapsed);
        if (how == Waited::Failed || elapsed >= limit)
            return false;
    }
}
} // namespace

bool SendCommand(const QString &command, int16_t replyLength)
{
    if (!comMGW.PortOpen() || WaitBreakAsked())
        return false;
    DiscardInput();
    const QByteArray frame = CommandFrame(command.toLatin1());

    // The reply's time starts as the frame is handed over. Waiting for a
    // stalled line to take it counts inside that time, with no more than the
    // frame's own time on the line added; a refused write ends it at once.
    ReplyClock &clock = ReplyClockInUse();
    clock.Restart();
    const int32_t lineTime = LineTimeMs(frame.size());
    if (!comMGW.Output(frame))
        return Lost(); // refused: nothing went over the line
    TellLine({LineEventKind::Sent, frame, {}});
    Waited how = Waited::TimedOut;
    if (!WaitUntil(clock, PortWait::Output, ReplyTimeoutMs + lineTime, [] { return comMGW.OutBufferCount() == 0; }, how))
        return how == Waited::Failed ? Lost() : TimedOut(clock);
    const int32_t limit = ReplyTimeoutMs + std::min(clock.Elapsed(), lineTime);
    const bool arrived =
        WaitUntil(clock, PortWait::Input, limit, [&] { return comMGW.InBufferCount() >= replyLength; }, how);
    if (!arrived && how == Waited::Failed)
        return Lost();
    if (!arrived || clock.Elapsed() >= limit)
        return TimedOut(clock);
    LastReply = comMGW.Input();
    LineEvent received{LineEventKind::Received, LastReply, {}};
    received.text = JudgeReply(LastReply, replyLength, &received.good);
    TellLine(received);
    return received.good;
}

} // namespace modLumentorMGW

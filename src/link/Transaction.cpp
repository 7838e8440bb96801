#include "link/Transaction.h"

#include "link/Frame.h"
#include "link/MSComm.h"
#include "link/MsgBox.h"
#include "link/ReplyClock.h"

#include <algorithm>

namespace modLumentorMGW {

QByteArray LastReply;

bool OpenGatewayPort(int16_t port)
{
    comMGW.SetCommPort(port);
    comMGW.SetSettings(QStringLiteral("38400,N,8,1"));
    if (!comMGW.SetPortOpen(true)) {
        MsgBox(QStringLiteral("Unable To Open Port\r\n") + comMGW.OpenFailure(), vbCritical,
               QStringLiteral("Port Error"));
        return false;
    }
    comMGW.SetRTSEnable(true); // a pseudo-terminal refuses; that is no port error
    return true;
}

void CloseGatewayPort()
{
    if (comMGW.PortOpen())
        comMGW.SetPortOpen(false);
}

namespace {
// Until nothing is left: one read takes only what the OS hands over at
// once, and a line may hold several times that.
void DiscardInput()
{
    while (comMGW.InBufferCount() > 0)
        comMGW.Input();
}

// Milliseconds a frame takes on the line: 10 bits a character at 38400 baud.
int32_t LineTimeMs(qsizetype characters)
{
    return int32_t((characters * 10 * 1000 + 38399) / 38400);
}

// Waits on `clock` until `what` is done or the clock reads `limit`; false
// when the time is up or the port gives out first.
template <typename Done>
bool WaitUntil(ReplyClock &clock, PortWait what, int32_t limit, Done done)
{
    for (;;) {
        if (done())
            return true;
        const int32_t elapsed = clock.Elapsed();
        if (elapsed >= limit || clock.Wait(comMGW, what, limit - elapsed) == Waited::Failed)
            return false;
    }
}
} // namespace

bool SendCommand(const QString &command, int16_t replyLength)
{
    if (!comMGW.PortOpen())
        return false;
    DiscardInput();
    const QByteArray frame = CommandFrame(command.toLatin1());
    DiscardInput();

    // The reply's time starts as the frame is handed over. Waiting for a
    // stalled line to take it counts inside that time, with no more than the
    // frame's own time on the line added; a refused write ends it at once.
    ReplyClock &clock = ReplyClockInUse();
    clock.Restart();
    const int32_t lineTime = LineTimeMs(frame.size());
    if (!comMGW.Output(frame))
        return false;
    if (!WaitUntil(clock, PortWait::Output, ReplyTimeoutMs + lineTime, [] { return comMGW.OutBufferCount() == 0; }))
        return false;
    const int32_t limit = ReplyTimeoutMs + std::min(clock.Elapsed(), lineTime);
    const bool arrived = WaitUntil(clock, PortWait::Input, limit, [&] { return comMGW.InBufferCount() >= replyLength; });
    if (!arrived || clock.Elapsed() >= limit)
        return false;
    LastReply = comMGW.Input();
    return ReplyChecksumAgrees(LastReply);
}

} // namespace modLumentorMGW

#include "link/Transaction.h"

#include "link/Clock.h"
#include "link/Frame.h"
#include "link/MSComm.h"
#include "link/MsgBox.h"

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
void DiscardInput()
{
    for (int i = 0; i < 4; ++i)
        comMGW.Input();
}
} // namespace

bool SendCommand(const QString &command, int16_t replyLength)
{
    if (!comMGW.PortOpen())
        return false;
    DiscardInput();
    const QByteArray frame = CommandFrame(command.toLatin1());
    DiscardInput();
    comMGW.Output(frame);

    Clock clock;
    clock.Restart();
    for (;;) {
        const int32_t waiting = comMGW.InBufferCount();
        const int32_t elapsed = clock.Elapsed();
        if (waiting >= replyLength || elapsed >= ReplyTimeoutMs)
            break;
        // Sleep in the device until input comes or the time is up.
        if (!comMGW.WaitForInput(ReplyTimeoutMs - elapsed))
            return false; // the port is gone: no reply can come
    }
    if (clock.Elapsed() >= ReplyTimeoutMs)
        return false;
    LastReply = comMGW.Input();
    return ReplyChecksumAgrees(LastReply);
}

} // namespace modLumentorMGW

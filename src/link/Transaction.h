#pragma once
// Opening the gateway's port and the one command/reply transaction.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

constexpr int32_t ReplyTimeoutMs = 5000;

// Everything the last transaction read once its reply arrived in time,
// whether or not its checksum agreed; unchanged by a time-out.
extern QByteArray LastReply;

// Sets port number and "38400,N,8,1", opens, asserts RTS. On failure tells
// the operator "Unable To Open Port", with a second line saying why, and
// returns false.
bool OpenGatewayPort(int16_t port);
void CloseGatewayPort();

// Sends "[" + checksum + "00" + command + "]" after discarding stale input
// and waits up to ReplyTimeoutMs (on ReplyClockInUse) for at least
// replyLength characters. True when they came in time and the reply's
// checksum agrees. Returns false at once when the port is not open, refuses
// the frame or its device is gone.
bool SendCommand(const QString &command, int16_t replyLength);

} // namespace modLumentorMGW

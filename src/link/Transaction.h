#pragma once
// Opening the gateway's port and the one command/reply transaction.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace modLumentorMGW {

constexpr int32_t ReplyTimeoutMs = 5000;
// After opening, the line must stay quiet this long before the first command
// (more than the 34 ms the longest reply, 132 characters, takes at 38400
// baud), waiting no longer than QuietLimitMs for that. Real time: short
// enough that no test needs a driven clock for it.
constexpr int32_t QuietMs = 50;
constexpr int32_t QuietLimitMs = 1000;

// Everything the last transaction read once its reply arrived in time,
// whether or not its checksum agreed; unchanged by a time-out.
extern QByteArray LastReply;

// Sets port number and "38400,N,8,1", opens, asserts RTS and waits for a
// quiet line, discarding what comes. On failure tells the operator "Unable
// To Open Port", with a second line saying why, and returns false.
bool OpenGatewayPort(int16_t port);
void CloseGatewayPort();
// Opens the port number set last again, as OpenGatewayPort does but
// without a word to the operator: a port that came back.
bool ReopenGatewayPort();

// Sends "[" + checksum + "00" + command + "]" after discarding stale input
// and waits up to ReplyTimeoutMs (on ReplyClockInUse) for at least
// replyLength characters. True when they came in time, have the form of a
// reply of that length and the reply's checksum agrees. Returns false at
// once when the port is not open, refuses the frame, its device is gone or
// a wait break is asked for (nothing is sent then).
bool SendCommand(const QString &command, int16_t replyLength);

// When a transaction since the port was opened failed because the device
// went away (an adapter pulled), not on a time-out: "\r\nThe port ... went
// away: ...", the line a transfer's error message adds; else empty.
QString PortWentAwayLine();
bool PortWentAway();

} // namespace modLumentorMGW

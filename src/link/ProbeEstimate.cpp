// How long the transfers take on a measured line. The probe's reply (12
// characters, less than a USB packet) came `wait` after its frame was on
// the line: its first character's time, then whatever the line holds a
// short tail back by (an adapter's latency timer) and the gateway's turn.
// A longer reply goes in 62-character packets as they fill, only its tail
// held back that way; every reply takes at least its own line time plus
// what the probe's reply waited beyond its own.
#include "link/Probe.h"

#include <algorithm>

namespace modLumentorMGW {

namespace {
// Frame lengths: "[" + sum + "00" + command + "]".
constexpr int PrepareFrame = 12, PrepareReply = 6;
constexpr int BlockWriteFrame = 143, BlockWriteReply = 6;
constexpr int BlockReadFrame = 15, BlockReadReply = 132;
constexpr int ChecksumFrame = 17, ChecksumReply = 12;
constexpr int Blocks = 2048;

constexpr int Packet = 62;

double TransactionMs(double roundTripMs, int frame, int reply)
{
    const double wait = roundTripMs - LineMs(ChecksumFrame);
    const double heldBack = wait - LineMs(1);
    const int tail = reply % Packet ? reply - reply % Packet : reply - 1;
    const double replyMs = std::max(LineMs(tail + 1) + heldBack,
                                    LineMs(reply) + std::max(0.0, wait - LineMs(ChecksumReply)));
    return LineMs(frame) + replyMs;
}
} // namespace

double LineMs(int characters)
{
    return characters * 10 * 1000.0 / 38400;
}

double DenseDownloadSeconds(double roundTripMs)
{
    return (4 * TransactionMs(roundTripMs, PrepareFrame, PrepareReply)
            + Blocks * TransactionMs(roundTripMs, BlockWriteFrame, BlockWriteReply)
            + 2 * TransactionMs(roundTripMs, ChecksumFrame, ChecksumReply))
           / 1000;
}

double FullUploadSeconds(double roundTripMs)
{
    return (Blocks * TransactionMs(roundTripMs, BlockReadFrame, BlockReadReply)
            + 2 * TransactionMs(roundTripMs, ChecksumFrame, ChecksumReply))
           / 1000;
}

} // namespace modLumentorMGW

#pragma once
// mgw, the gateway from the command line: everything but the process
// around it, so commands can run in-process with their output captured.
#include <QStringList>
#include <csignal>

class QIODevice;

namespace mgw {

// Where a command writes: results on out, messages and progress on err.
// With terminal set, progress is a bar redrawn in place.
struct Console
{
    QIODevice &out;
    QIODevice &err;
    bool terminal = false;
    QIODevice *in = nullptr; // standard input, for a listing named "-"
};

// Exit statuses besides the gateway's error codes (4, 21 to 24, 52, 61 to
// 64, 71), which a failed transfer exits with.
constexpr int ExitDiffers = 1;     // verify, diff: not the same
constexpr int ExitUsage = 2;       // a bad argument or a file that cannot be read or written
constexpr int ExitPort = 3;        // the port would not open
constexpr int ExitInterrupted = 130;

// Set by Ctrl+C; a transfer takes it as Cancel before its next block.
extern volatile std::sig_atomic_t Interrupted;

// arguments: what follows the program's name.
int RunMgw(const QStringList &arguments, const Console &console);

} // namespace mgw
